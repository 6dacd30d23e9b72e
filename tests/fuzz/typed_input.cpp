// What the operator types that the program reads as a date, a time or a number: the stored
// date and time readers, the post-contest date and time, the Form Size answer and the setup
// dialog's numbers. Nothing crashes, and whatever one reader accepts the others read alike.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/FuzzCheck.h"
#include "logging/DateText.h"
#include "logging/Mains.h"
#include "logtools/ContactTime.h"
#include "station/StationSetup.h"
#include "window/FormSize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string date = input.ConsumeRandomLengthString(24);
    const std::string time = input.ConsumeRandomLengthString(16);
    const std::string answer = input.ConsumeRemainingBytesAsString();

    // The log's own readers: the strict one of the log tools accepts nothing the other refuses.
    const auto d = logging::ParseQsoDate(date);
    const auto t = logging::ParseQsoTime(time);
    if (const auto strict = logtools::ParseQsoDate(date)) {
        FUZZ_CHECK(d && d->year == strict->year && d->month == strict->month && d->day == strict->day);
    }
    if (const auto strict = logtools::ParseQsoTime(time)) {
        FUZZ_CHECK(t && t->hour == strict->hour && t->minute == strict->minute && t->second == strict->second);
    }
    logging::ParseQsoDateTime(date, time);
    logging::MonthDay(date);
    logging::HourMinute(time);
    station::ContactRecord r;
    r.QsoDate = date;
    r.QsoTime = time;
    logtools::ContactSeconds(r);

    // Post-contest entry: what it stores, every tool reads back.
    logging::StatusMessage failure;
    std::optional<std::string> dateSoFar;
    if (const auto post = logging::NormalizePostContest(date, time, failure, dateSoFar)) {
        FUZZ_CHECK(logtools::ParseQsoDate(post->date).has_value());
        FUZZ_CHECK(logtools::ParseQsoTime(post->time).has_value());
        r.QsoDate = post->date;
        r.QsoTime = post->time;
        FUZZ_CHECK(logtools::ContactSeconds(r).has_value());
    }

    if (const auto percent = window::ParseFormSizeAnswer(answer)) FUZZ_CHECK(*percent >= 30 && *percent <= 100);
    window::EffectiveFormSize(static_cast<int>(answer.size()) - 50);
    station::IsSetupNumber(answer);
    return 0;
}
