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

    // The voice navigation window's options: 0 Off, 1 Call Only, 2 All Data Fields. Choosing one
    // only speaks it: "NavDis" for Off, "NavEn" for the others, and for Call Only "NavEn" heard
    // whole and then "Call". Any other value speaks nothing.
    void ChooseOption(int option);
    // Done of the window: the chosen option becomes VoiceNavMode and the profile is saved.
    void Done(int option);
    // The window's load: it speaks the stored mode's option. It runs once, at the first prompt
    // asked for or the first opening of the window, whichever comes first; Unload (the
    // window's unload) stops the player and lets the next use load again.
    void Load();
    void Unload();
    bool loaded() const { return loaded_; }

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
    void loadForRequest();

    Session& session_;
    bool loaded_ = false;
    bool holding_ = false;             // a prompt that must be heard whole is playing
    std::optional<Request> waiting_;   // the prompt asked for while holding (the last one)
};

}  // namespace keying
