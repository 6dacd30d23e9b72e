#include "keying/VoiceNavigation.h"

#include "session/Session.h"
#include "station/Profile.h"

namespace keying {

VoiceNavigation::VoiceNavigation(Session& session) : session_(session) {
    session_.platform.wave.setFinishedHandler([this] { finished(); });
}

// The player outlives the session in the program: it must not call back into it.
VoiceNavigation::~VoiceNavigation() { session_.platform.wave.setFinishedHandler({}); }

std::string VoiceNavigation::PromptFile(const std::string& q) const { return session_.programFile(q + ".wav"); }

bool VoiceNavigation::playing() const { return holding_ || session_.platform.wave.playing(); }

void VoiceNavigation::BlindKeyPhone(const std::string& q) {
    loadForRequest();
    request({q, false});
}

void VoiceNavigation::BlindKeyPhoneWhole(const std::string& q) {
    loadForRequest();
    request({q, true});
}

// The first prompt of the run loads the window, which speaks the stored mode. Call Only's
// "Call" after "NavEn" is left out there: the prompt asked for follows "NavEn" anyway, and a
// call-field prompt would otherwise be heard twice.
void VoiceNavigation::loadForRequest() {
    if (loaded_) return;
    loaded_ = true;
    if (session_.profile.VoiceNavMode == 1) request({"NavEn", true});
    else ChooseOption(session_.profile.VoiceNavMode);
}

void VoiceNavigation::ChooseOption(int option) {
    if (option == 0) {
        BlindKeyPhone("NavDis");
    } else if (option == 1) {
        BlindKeyPhoneWhole("NavEn");
        BlindKeyPhone("Call");
    } else if (option == 2) {
        BlindKeyPhone("NavEn");
    }
}

void VoiceNavigation::Done(int option) {
    session_.profile.VoiceNavMode = static_cast<uint8_t>(option == 1 || option == 2 ? option : 0);
    station::SavePreferences(session_);
}

void VoiceNavigation::Load() {
    if (loaded_) return;
    loaded_ = true;
    ChooseOption(session_.profile.VoiceNavMode);
}

void VoiceNavigation::Unload() {
    session_.platform.wave.stop();
    holding_ = false;
    waiting_.reset();
    loaded_ = false;
}

void VoiceNavigation::PlayDupe(int voiceNavMode) {
    if (voiceNavMode != 0) BlindKeyPhoneWhole("Dupe");
    else BlindKeyPhone("Dupe");
}

void VoiceNavigation::request(const Request& r) {
    if (holding_) {
        // Each request would cut the one before it off: only the last one is worth playing.
        waiting_ = r;
        return;
    }
    start(r);
}

void VoiceNavigation::start(const Request& r) {
    auto& player = session_.platform.wave;
    // Whatever plays ends first, also when the new prompt has no file.
    player.stop();
    const std::string path = PromptFile(r.prompt);
    if (!session_.platform.files.exists(path)) return;
    holding_ = r.whole;
    if (!player.play(path)) holding_ = false;
}

void VoiceNavigation::finished() {
    if (!holding_) return;
    holding_ = false;
    if (!waiting_) return;
    const Request next = *waiting_;
    waiting_.reset();
    start(next);
}

}  // namespace keying
