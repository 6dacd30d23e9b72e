#pragma once
// The spoken prompts of voice navigation: each entry field names itself as it gets the focus,
// and a refused duplicate says "Dupe". A prompt is the wave file <name>.wav of the program
// folder; a missing file is simply not heard. Prompts are requested and played without
// waiting: a new prompt cuts off the one playing, except that a prompt that must be heard whole
// ("Dupe" while voice navigation is on) holds the requests made while it plays, and the last of
// them plays when it ends. Nothing here waits, so the window keeps taking keys meanwhile.

#include <optional>
#include <string>

class Session;

namespace keying {

class VoiceNavigation {
public:
    explicit VoiceNavigation(Session& session);
    ~VoiceNavigation();
    VoiceNavigation(const VoiceNavigation&) = delete;
    VoiceNavigation& operator=(const VoiceNavigation&) = delete;

    // Plays prompt q at once, cutting off the one playing; while a prompt that must be heard
    // whole plays, q waits for it instead.
    void BlindKeyPhone(const std::string& q);
    // Plays q like BlindKeyPhone, and holds later prompts until it has ended.
    void BlindKeyPhoneWhole(const std::string& q);
    // The duplicate check's prompt: "Dupe" on every refused duplicate; with voice navigation on
    // (voiceNavMode not 0) it is heard whole, so the call field's prompt follows it.
    void PlayDupe(int voiceNavMode);

    // The player is busy with a prompt (or holding one back).
    bool playing() const;
    // The file prompt q plays: <program folder>/<q>.wav, matched without regard to case.
    std::string PromptFile(const std::string& q) const;

private:
    struct Request {
        std::string prompt;
        bool whole = false;
    };
    void start(const Request& request);
    void request(const Request& request);
    void finished();

    Session& session_;
    bool holding_ = false;             // a prompt that must be heard whole is playing
    std::optional<Request> waiting_;   // the prompt asked for while holding (the last one)
};

}  // namespace keying
