#include "logging/EntryKeys.h"

#include "logging/Text.h"
#include "station/KeyFilters.h"

namespace logging {

namespace {
constexpr int16_t kBackspace = 8, kEnter = 13, kSpace = 32, kQuote = 34;

bool IsDigit(int16_t key) { return key >= '0' && key <= '9'; }
bool AboveNine(int16_t key) { return key > '9'; }

char Char(int16_t key) { return static_cast<char>(static_cast<unsigned char>(key)); }

std::string Lower(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return std::string(1, static_cast<char>(u + 32));
    return std::string(1, c);
}

// The receiving step of a hop: the carried key becomes the field's whole text.
void Receive(FieldState& f, int16_t key) {
    f.text = std::string(1, Char(key));
    f.selStart = 1;
    f.selLength = 0;
}

int16_t CarriedKey(const LoggingState& state) {
    return state.CarriedKeyText.empty() ? 0 : static_cast<int16_t>(std::stoi(state.CarriedKeyText));
}

void Carry(LoggingState& state, int16_t key, uint8_t code) {
    state.CarriedKeyText = std::to_string(key);
    state.HopCode = code;
}

void Empty(FieldState& f) {
    f.text.clear();
    f.selStart = 0;
    f.selLength = 0;
}

struct Handlers {
    EntryLine& line;
    LoggingState& state;
    const KeyContext& ctx;
    KeyEffects& fx;

    bool in() const { return ctx.kind == WindowKind::InState; }

    void call(int16_t& key) {
        FieldState& f = line.call;
        const bool enter = key == kEnter;
        if (f.text.size() < 2 && (in() || !enter)) {
            Empty(line.cntry);
            fx.countryChanged = true;
            fx.clearLocation = true;
        }
        if (key == kQuote) key = 0;
        // A digit after a complete-looking call (letters after its last digit, nothing below
        // "0" such as "/") starts the report received.
        int digits = 0, lastDigit = 0;
        bool belowZero = false;
        for (size_t i = 1; i < f.text.size(); ++i) {
            const char c = f.text[i];
            if (c >= '0' && c <= '9') {
                ++digits;
                lastDigit = static_cast<int>(i) + 1;
            }
            if (static_cast<unsigned char>(c) < '0') belowZero = true;
        }
        const int length = static_cast<int>(f.text.size());
        if (length > 2 && length > lastDigit && digits > 0 && !belowZero && IsDigit(key) && f.selStart == length) {
            Carry(state, key, 4);
            fx.focus.push_back(EntryField::RstReceived);
            rstr(key);
            key = 0;
        }
        if (f.text.size() < 3 && state.clock.LoggedOn && (in() || !enter)) fx.dialog = " ";
        if (!state.clock.LoggedOn) {
            fx.dialog = "Click Log \"Time On\"!";
            ++fx.beeps;
        }
        if (key == kEnter) {
            key = 0;
            fx.runMains = true;
        }
        if (key == kSpace) {
            key = 0;
            fx.focus.push_back(EntryField::RstReceived);
        }
        station::CapitalizeKey(key);
        fx.partialKey = key;
        if (in() && state.DupeFlag) fx.clearDupeFlag = true;
    }

    void rstr(int16_t& key) {
        if (AboveNine(key)) {
            Carry(state, key, 3);
            if (in()) {
                station::CapitalizeKey(key);
                state.CarriedKeyText = std::to_string(key);
                cntry(key);
            } else {
                sec(key);
            }
            key = kSpace;
        }
        if (state.HopCode == 4) key = CarriedKey(state);
        if (key == kEnter) {
            key = 0;
            fx.runMains = true;
        } else {
            if (key == kSpace) fx.focus.push_back(in() ? EntryField::Country : EntryField::County);
            station::DigitsOnlyKey(key);
        }
        if (state.HopCode == 4) {
            Receive(line.rstr, key);
            state.HopCode = 0;
        }
    }

    void rsts(int16_t& key) {
        if (in() && AboveNine(key)) {
            // A letter here starts the St/Prv/Country: it becomes that field's text and the
            // focus goes there, and the hop is over once the key is placed.
            station::CapitalizeKey(key);
            Carry(state, key, 3);
            cntry(key);
            state.HopCode = 0;
            fx.focus.push_back(EntryField::Country);
            key = 0;
            return;
        }
        if (state.HopCode == 1) key = CarriedKey(state);
        if (key == kEnter) {
            key = 0;
            fx.runMains = true;
        } else {
            if (key == kSpace) fx.sendTab = true;
            station::DigitsOnlyKey(key);
        }
        if (state.HopCode == 1) {
            Receive(line.rsts, key);
            state.HopCode = 0;
        }
    }

    void cntry(int16_t& key) {
        FieldState& f = line.cntry;
        if (key == kQuote) key = 0;
        if (key == kEnter) {
            key = 0;
            fx.runMains = true;
        } else if (key == kSpace && f.selStart == 0 && state.HopCode == 0) {
            key = 0;
            fx.focus.push_back(EntryField::County);
        }
        if (state.HopCode == 3) {
            Receive(f, key);
            fx.countryChanged = true;
            state.HopCode = 0;
        }
        if (f.selStart == 0 && key != kSpace && key != 0) {
            Empty(f);
            fx.countryChanged = true;
        }
        if ((f.text.empty() || f.selStart < 2) && key != 0) station::CapitalizeKey(key);
        // Two upper-cased letters become a capital and a small letter when a third arrives:
        // the start of a country name. Only a two-character text: a longer one is kept as typed.
        if (f.selStart == 2 && f.text.size() == 2 && key != kSpace && key != 0) {
            f.text = f.text.substr(0, 1) + Lower(f.text.back());
            f.selStart = 2;
            f.selLength = 0;
            fx.countryChanged = true;
        }
        if (f.text.size() > 1 && key != 0) {
            const std::string typed = f.text.substr(0, static_cast<size_t>(f.selStart)) + Char(key);
            const auto& rows = ctx.prefixes ? ctx.prefixes->rows : std::vector<station::PrefixRow>{};
            for (size_t i = rows.size(); i-- > 0;) {
                const std::string& name = rows[i].Country;
                if (!IStartsWith(name, typed)) continue;
                f.text = typed + name.substr(typed.size());
                key = 0;
                f.selStart = static_cast<int>(typed.size());
                f.selLength = static_cast<int>(name.size() - typed.size());
                fx.typeAheadRow = static_cast<int>(i) + 1;
                fx.countryChanged = true;
                break;
            }
            if (key == kSpace) {
                key = 0;
                fx.focus.push_back(EntryField::County);
            }
        }
    }

    void sec(int16_t& key) {
        FieldState& f = line.sec;
        if (key == kQuote) key = 0;
        if (IsDigit(key)) {
            Carry(state, key, 1);
            rsts(key);
            key = kSpace;
        }
        if (state.HopCode == 3 && !in()) key = CarriedKey(state);
        const int length = static_cast<int>(f.text.size());
        if (key == kEnter) {
            key = 0;
            fx.runMains = true;
        } else if (key == kSpace) {
            if (f.selStart >= length ||
                (length - f.selStart >= 2 && f.text[static_cast<size_t>(f.selStart)] != ' ')) {
                key = 0;
                fx.focus.push_back(EntryField::RstSent);
            }
        }
        if (key != 0 && key != kEnter) {
            if (key != kSpace && f.selStart == 0) Empty(f);
            if (f.text.empty()) station::CapitalizeKey(key);
            if (f.selStart < static_cast<int>(f.text.size()) && f.selStart != 0 &&
                f.text[static_cast<size_t>(f.selStart - 1)] == ' ')
                station::CapitalizeKey(key);
            const std::string typed = f.text.substr(0, static_cast<size_t>(f.selStart)) + Char(key);
            const auto& rows = ctx.counties ? ctx.counties->rows : std::vector<station::CountyRow>{};
            for (size_t i = rows.size(); i-- > 0;) {
                const std::string& name = rows[i].Name;
                if (!IStartsWith(name, typed)) continue;
                f.text = typed + name.substr(typed.size());
                key = 0;
                if (!in()) state.HopCode = 0;
                f.selStart = static_cast<int>(typed.size());
                f.selLength = static_cast<int>(name.size() - typed.size());
                break;
            }
        }
        if (!in() && state.HopCode == 3) {
            Receive(f, key);
            state.HopCode = 0;
        }
    }

    void postCon(EntryField field, int16_t& key) {
        if (key == kSpace) {
            key = 0;
            fx.sendTab = true;
        } else if (key == kEnter) {
            key = 0;
            fx.runMains = true;
        } else if (key != kBackspace) {
            const bool time = field == EntryField::PostConTime;
            const int16_t low = time ? 48 : 47, high = time ? 58 : 57;
            if (key < low || key > high) key = 0;
        }
    }
};
}  // namespace

FieldState& EntryLine::operator[](EntryField field) {
    switch (field) {
        case EntryField::Call: return call;
        case EntryField::RstReceived: return rstr;
        case EntryField::Country: return cntry;
        case EntryField::County: return sec;
        case EntryField::RstSent: return rsts;
        case EntryField::PostConTime: return postConTime;
        case EntryField::PostConDate: return postConDate;
        case EntryField::None: break;
    }
    return call;
}

void TypeKey(FieldState& f, int16_t key) {
    const int length = static_cast<int>(f.text.size());
    f.selStart = std::min(std::max(f.selStart, 0), length);
    f.selLength = std::min(std::max(f.selLength, 0), length - f.selStart);
    if (key == kBackspace) {
        if (f.selLength > 0) {
            f.text.erase(static_cast<size_t>(f.selStart), static_cast<size_t>(f.selLength));
        } else if (f.selStart > 0) {
            f.text.erase(static_cast<size_t>(f.selStart - 1), 1);
            --f.selStart;
        }
        f.selLength = 0;
        return;
    }
    if (key < kSpace || key > 255 || key == 127) return;
    const std::string rest = f.text.substr(static_cast<size_t>(f.selStart + f.selLength));
    const std::string head = f.text.substr(0, static_cast<size_t>(f.selStart));
    if (f.maxLength > 0 && static_cast<int>(head.size() + rest.size()) >= f.maxLength) return;
    f.text = head + Char(key) + rest;
    ++f.selStart;
    f.selLength = 0;
}

KeyEffects KeyPress(EntryLine& line, EntryField field, int16_t key, LoggingState& state, const KeyContext& ctx) {
    KeyEffects fx;
    Handlers h{line, state, ctx, fx};
    switch (field) {
        case EntryField::Call: h.call(key); break;
        case EntryField::RstReceived: h.rstr(key); break;
        case EntryField::Country:
            if (ctx.kind != WindowKind::InState) return fx;  // hidden out-of-state
            h.cntry(key);
            break;
        case EntryField::County: h.sec(key); break;
        case EntryField::RstSent: h.rsts(key); break;
        case EntryField::PostConTime:
        case EntryField::PostConDate: h.postCon(field, key); break;
        case EntryField::None: return fx;
    }
    if (key != 0) {
        TypeKey(line[field], key);
        if (field == EntryField::Country) fx.countryChanged = true;
    }
    return fx;
}

int ReportMaxLength(std::string_view mode) { return IEquals(mode, "PH") ? 2 : 3; }

void PresetReports(EntryLine& line, std::string_view mode) {
    const std::string preset = IEquals(mode, "PH") ? "59" : "599";
    for (FieldState* f : {&line.rstr, &line.rsts}) {
        if (!f->text.empty()) continue;
        f->text = preset;
        f->selStart = 0;
        f->selLength = static_cast<int>(preset.size());
    }
}

FocusEffects GotFocus(EntryLine& line, EntryField field, const KeyContext& ctx, int voiceNavMode, int listRows,
                      int contactCount) {
    FocusEffects fx;
    const bool in = ctx.kind == WindowKind::InState;
    switch (field) {
        case EntryField::Call:
            fx.hideEditDelete = true;
            if (line.call.text.empty()) {
                Empty(line.rsts);
                Empty(line.rstr);
            }
            if (voiceNavMode > 0) fx.prompts.push_back("Call");
            fx.refillList = line.call.text.empty() && listRows < contactCount && listRows < 18;
            break;
        case EntryField::RstReceived:
            if (voiceNavMode > 1) fx.prompts.push_back("RstRcvd");
            break;
        case EntryField::RstSent:
            if (voiceNavMode > 1) fx.prompts.push_back("RstSnt");
            break;
        case EntryField::Country:
            if (!in) break;
            if (voiceNavMode > 1) fx.prompts.push_back("SPC");
            if (line.cntry.text.empty()) {
                line.cntry.text = ctx.homeState;
                line.cntry.selStart = 0;
                line.cntry.selLength = static_cast<int>(ctx.homeState.size());
            }
            break;
        case EntryField::County:
            if (in) {
                const bool home = IEquals(line.cntry.text, ctx.homeState);
                if (!home) fx.focus.push_back(EntryField::RstSent);
                fx.countyCaptionEnabled = home;
            }
            if (voiceNavMode > 1) fx.prompts.push_back("County");
            break;
        case EntryField::PostConTime:
            line.postConTime.selStart = 0;
            line.postConTime.selLength = static_cast<int>(line.postConTime.text.size());
            break;
        case EntryField::PostConDate:
        case EntryField::None:
            break;
    }
    return fx;
}

void PostConDateGotFocus(FieldState& date, const platform::DateTime& localNow) {
    if (!date.text.empty()) return;
    date.text = localNow.format("yyyy/mm/dd");
    date.selStart = 0;
    date.selLength = static_cast<int>(date.text.size());
}

void ClearEntries(EntryLine& line) {
    for (FieldState* f : {&line.rsts, &line.cntry, &line.call, &line.rstr, &line.sec}) Empty(*f);
}

}  // namespace logging
