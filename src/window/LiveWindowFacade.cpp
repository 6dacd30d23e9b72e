#include "window/LiveWindowFacade.h"

#include "session/Session.h"
#include "station/Profile.h"

namespace window {

void LiveWindowFacade::attach(WindowKind kind, LiveWindowApi* window) {
    (kind == WindowKind::InState ? inState_ : outOfState_) = window;
}

void LiveWindowFacade::detach(LiveWindowApi* window) {
    if (inState_ == window) inState_ = nullptr;
    if (outOfState_ == window) outOfState_ = nullptr;
}

void LiveWindowFacade::Unload() {
    inState_ = nullptr;
    outOfState_ = nullptr;
    lblDXVisible = false;
}

LiveWindowApi* LiveWindowFacade::live() const {
    return session_.profile.OutOfState != 0 ? outOfState_ : inState_;
}

void LiveWindowFacade::SavePref() { station::SavePreferences(session_); }

void LiveWindowFacade::BandFreqConversion(double frequencyValue) {
    if (auto* w = live()) w->BandFreqConversion(frequencyValue);
}

void LiveWindowFacade::ModeSelection(const std::string& strMode) {
    if (auto* w = live()) w->ModeSelection(strMode);
}

void LiveWindowFacade::PacketResize(const std::string& spotSource, bool listChosen) {
    if (auto* w = live()) w->PacketResize(spotSource, listChosen);
}

void LiveWindowFacade::DisplayBandMapLabels() {
    if (auto* w = live()) w->DisplayBandMapLabels();
}

void LiveWindowFacade::BandMapSpots(const std::string& qDXSpotCall, const std::string& qDXSpotFreq,
                                    const std::string& qDXSpotRecord) {
    if (auto* w = live()) w->BandMapSpots(qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void LiveWindowFacade::Mains() {
    if (auto* w = live()) w->Mains();
}

std::string LiveWindowFacade::CallText() const {
    auto* w = live();
    return w ? w->CallText() : std::string();
}

void LiveWindowFacade::SetCallText(const std::string& call) {
    if (auto* w = live()) w->SetCallText(call);
}

void LiveWindowFacade::SetDialogCaption(const std::string& caption) {
    if (auto* w = live()) w->SetDialogCaption(caption);
}

void LiveWindowFacade::SetDupeCaption(const std::string& caption) {
    if (auto* w = live()) w->SetDupeCaption(caption);
}

void LiveWindowFacade::SpotCallToCallField(const std::string& call) {
    if (auto* w = live()) w->SpotCallToCallField(call);
}

void LiveWindowFacade::FocusCallField() {
    if (auto* w = live()) w->FocusCallField();
}

}  // namespace window
