#pragma once
// Form1: the one object rig control and DX spotting talk to. It forwards every call to the live
// logging window, chosen by the current OutOfState flag, and holds the few hidden values those
// windows share through it. It never creates a window: a call with no live window does nothing.

#include <string>

#include "window/WindowKind.h"

class Session;

namespace window {

// What a logging window offers the rig and spot windows.
class LiveWindowApi {
public:
    virtual ~LiveWindowApi() = default;
    virtual void BandFreqConversion(double frequencyValue) = 0;
    virtual void ModeSelection(const std::string& strMode) = 0;
    // The spotting setup's choice: the source ("None" removes the panel) and whether the spot
    // list rather than the band map is shown.
    virtual void PacketResize(const std::string& spotSource, bool listChosen) = 0;
    virtual void DisplayBandMapLabels() = 0;
    virtual void BandMapSpots(const std::string& qDXSpotCall, const std::string& qDXSpotFreq,
                              const std::string& qDXSpotRecord) = 0;
    // What the keyers use: the logging pipeline as Enter runs it, the call field, and the
    // captions of the two status labels. (Defaults do nothing, for stand-ins that need none.)
    virtual void Mains() {}
    virtual std::string CallText() const { return {}; }
    virtual void SetCallText(const std::string&) {}
    virtual void SetDialogCaption(const std::string&) {}
    virtual void SetDupeCaption(const std::string&) {}
    // A spot picked on the spectrum map: its call into the call field, then the focus there.
    virtual void SpotCallToCallField(const std::string& call) = 0;
    virtual void FocusCallField() = 0;
};

class LiveWindowFacade {
public:
    explicit LiveWindowFacade(Session& session) : session_(session) {}

    // The logging window of a kind registers itself when it loads and leaves when it unloads.
    void attach(WindowKind kind, LiveWindowApi* window);
    void detach(LiveWindowApi* window);
    // The live window's unload: afterwards every forward does nothing.
    void Unload();

    void SavePref();
    void BandFreqConversion(double frequencyValue);
    void ModeSelection(const std::string& strMode);
    void PacketResize(const std::string& spotSource, bool listChosen);
    void DisplayBandMapLabels();
    void BandMapSpots(const std::string& qDXSpotCall, const std::string& qDXSpotFreq,
                      const std::string& qDXSpotRecord);
    // The keyers' way to the live window: a CW message's "!" logs through Mains when the call
    // field is not empty; the send pump echoes into lblDialog. Without a live window: nothing,
    // and the call reads empty.
    void Mains();
    std::string CallText() const;
    void SetCallText(const std::string& call);
    void SetDialogCaption(const std::string& caption);
    void SetDupeCaption(const std::string& caption);
    void SpotCallToCallField(const std::string& call);
    void FocusCallField();

    // Hidden members other windows read or write.
    bool lblDXVisible = false;  // set by the live window's spot layout; the band-map redraw reads it
    static constexpr const char* Caption = "Form1";  // the AGW engine's application title
    static constexpr float FontSize = 8.25f;         // the tuning panel's base size

private:
    LiveWindowApi* live() const;

    Session& session_;
    LiveWindowApi* inState_ = nullptr;
    LiveWindowApi* outOfState_ = nullptr;
};

}  // namespace window
