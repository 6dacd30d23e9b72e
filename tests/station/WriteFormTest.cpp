#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "station/WriteForm.h"

using station::FileError;
using station::Variant;
using station::WriteFormLine;
using station::WriteFormReader;

TEST(WriteForm, NumbersAreWrittenShortestWithAPoint) {
    struct Case {
        float single;
        const char* expected;
    };
    for (const Case& c : {Case{4.0f, "4"}, Case{0.1f, "0.1"}, Case{-5.5f, "-5.5"}, Case{1234567.8f, "1234568"},
                          Case{0.0f, "0"}, Case{-81.25f, "-81.25"}}) {
        EXPECT_EQ(station::formatSingle(c.single), c.expected) << c.single;
    }
    // A double keeps 15 digits: one that needs more is rounded to them and then written in the
    // fewest digits that read back as the rounded value, with no trailing zeros.
    struct DoubleCase {
        double value;
        const char* expected;
    };
    for (const DoubleCase& c : {DoubleCase{0.0, "0"}, DoubleCase{14.025, "14.025"},
                                DoubleCase{1234567.8, "1234567.8"}, DoubleCase{0.30000000000000004, "0.3"},
                                DoubleCase{0.1 + 0.7, "0.8"}, DoubleCase{1.0 / 3, "0.333333333333333"},
                                DoubleCase{2.0 / 3, "0.666666666666667"}, DoubleCase{-1e21 / 3, "-3.33333333333333E+20"},
                                DoubleCase{123456789012345.67, "123456789012346"}, DoubleCase{2.5e-7, "2.5E-07"},
                                // rounded to 15 digits it would pass the largest double
                                DoubleCase{1.7976931348623157e308, "1.7976931348623157E+308"}}) {
        EXPECT_EQ(station::formatDouble(c.value), c.expected) << c.expected;
    }
}

TEST(WriteForm, NumbersIgnoreACommaDecimalLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8")) {
        // No comma locale installed: imbue one by hand through the global C++ locale instead.
        struct CommaPunct : std::numpunct<char> {
            char do_decimal_point() const override { return ','; }
        };
        std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    }
    EXPECT_EQ(WriteFormLine().single(-5.5f).dbl(0.25).line(), "-5.5,0.25\r\n");
    WriteFormReader in("-5.5,0.25\r\n");
    EXPECT_FLOAT_EQ(in.readSingle(), -5.5f);
    EXPECT_DOUBLE_EQ(in.readDouble(), 0.25);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(WriteForm, ItemsRoundTrip) {
    std::string line = WriteFormLine()
                           .text("a,b")
                           .text("")
                           .variant(Variant::empty())
                           .variant(Variant::ofText(""))
                           .variant(Variant::ofNumber(100))
                           .boolean(true)
                           .boolean(false)
                           .integer(-12)
                           .line();
    EXPECT_EQ(line, "\"a,b\",\"\",,\"\",100,#TRUE#,#FALSE#,-12\r\n");
    WriteFormReader in(line);
    EXPECT_EQ(in.readText(), "a,b");
    EXPECT_EQ(in.readText(), "");
    EXPECT_EQ(in.readVariant(), Variant::empty());
    EXPECT_EQ(in.readVariant(), Variant::ofText(""));
    EXPECT_EQ(in.readVariant(), Variant::ofNumber(100));
    EXPECT_TRUE(in.readBool());
    EXPECT_FALSE(in.readBool());
    EXPECT_EQ(in.readInt32(), -12);
    EXPECT_TRUE(in.eof());
}

TEST(WriteForm, QuotesAndControlCharactersAreDroppedFromTextSoLaterItemsDoNotShift) {
    std::string line = WriteFormLine().text("say \"hi\"").text("ne\r\nxt\t\x7f").text("Côte").line();
    EXPECT_EQ(line, "\"say hi\",\"next\",\"Côte\"\r\n");
    WriteFormReader in(line);
    EXPECT_EQ(in.readText(), "say hi");
    EXPECT_EQ(in.readText(), "next");
}

TEST(WriteForm, ARecordMaySpanLinesAndLfIsAccepted) {
    WriteFormReader in("\"A\",1\n\"B\"\r\n2,3\n");
    EXPECT_EQ(in.readText(), "A");
    EXPECT_EQ(in.readInt16(), 1);
    EXPECT_EQ(in.readText(), "B");
    EXPECT_EQ(in.readInt16(), 2);
    EXPECT_EQ(in.readInt16(), 3);
    EXPECT_TRUE(in.eof());
    EXPECT_THROW(in.readText(), FileError);
}

TEST(WriteForm, NumberTargets) {
    struct Case {
        const char* item;
        double value;
    };
    for (const Case& c : {Case{"abc", 0}, Case{"", 0}, Case{".5", 0.5}, Case{"-.5", -0.5}, Case{" 7", 7},
                          Case{"\"12\"", 12}, Case{"1e3", 1000}, Case{"inf", 0}, Case{"-infinity", 0},
                          Case{"nan", 0}, Case{"-", 0}, Case{"1e999", 0}}) {
        WriteFormReader in(std::string(c.item) + "\r\n");
        EXPECT_DOUBLE_EQ(in.readDouble(), c.value) << c.item;
    }
}

TEST(WriteForm, IntegerOverflowIsAnError) {
    for (const char* item : {"256", "-1"}) {
        WriteFormReader in(item);
        EXPECT_THROW(in.readByte(), FileError) << item;
    }
    WriteFormReader in16("32768");
    EXPECT_THROW(in16.readInt16(), FileError);
    WriteFormReader ok("255");
    EXPECT_EQ(ok.readByte(), 255);
}

TEST(WriteForm, EmptyLineIsOneEmptyItem) {
    WriteFormReader in("\r\n\"x\"\r\n");
    EXPECT_EQ(in.readText(), "");
    EXPECT_EQ(in.readText(), "x");
    EXPECT_TRUE(in.eof());
}

TEST(PrintForm, ColumnStops) {
    station::PrintWriter out;
    out.write("QSO:").tab(6).write("7040").tab(12).write("CW").endLine();
    out.write("0123456789").tab(5).write("x").endLine();
    EXPECT_EQ(out.bytes(), "QSO: 7040  CW\r\n0123456789\r\n    x\r\n");
}
