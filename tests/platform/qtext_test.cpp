#include "cp1252.h"
#include "qtext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QString U(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

std::string AllBytes() {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    return all;
}

TEST(QText, EveryByteRoundTrips) {
    const std::string all = AllBytes();
    const QString text = FromCp1252(std::string_view(all));
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1252(text), all);
    // Latin-1 range: the byte is the code point.
    for (int c = 0xA0; c < 0x100; ++c) EXPECT_EQ(text[c].unicode(), c) << c;
    EXPECT_EQ(text[0x0D].unicode(), u'\r');
}

TEST(QText, TypographicCharactersOf0x80To0x9F) {
    const QString text = FromCp1252("\x80\x82\x84\x85\x8A\x96\x9F");
    EXPECT_EQ(text, U(u"\u20AC\u201A\u201E\u2026\u0160\u2013\u0178"));
    EXPECT_EQ(ToCp1252(U(u"\u20AC 5 \u201Ezwei\u201C \u2026")), "\x80 5 \x84zwei\x93 \x85");
    // The five unused codes travel as the C1 controls of the same number.
    EXPECT_EQ(FromCp1252("\x81\x8D\x8F\x90\x9D"), U(u"\u0081\u008D\u008F\u0090\u009D"));
}

TEST(QText, GermanTextsAndLineBreaks) {
    // Literals of the system's texts are Windows-1252 bytes.
    EXPECT_EQ(FromCp1252("Z\xE4hler \xDF\r\xC4"), U(u"Z\u00E4hler \u00DF\r\u00C4"));
    EXPECT_EQ(ToCp1252(U(u"Datei:\r \u00D6ffnen")), "Datei:\r \xD6"
                                                    "ffnen");
    EXPECT_EQ(FromCp1252(static_cast<const char*>(nullptr)), QString());
    EXPECT_EQ(FromCp1252(std::string_view("a\0b", 3)).size(), 3);
    EXPECT_EQ(ToCp1252(U(std::u16string_view(u"a\0b", 3))), std::string("a\0b", 3));
}

TEST(QText, CharactersWithoutACodeBecomeQuestionMarks) {
    EXPECT_EQ(ToCp1252(U(u"\u03A9\u2192x")), "??x");
    // A character outside the BMP is one "?", not two; a lone surrogate is one "?" too.
    EXPECT_EQ(ToCp1252(U(u"a\U0001F600b")), "a?b");
    EXPECT_EQ(ToCp1252(U(u"a\xD800"
                         u"b")),
              "a?b");
    EXPECT_EQ(ToCp1252(U(u"a\xDC00")), "a?");
    // The C1 controls without a Windows-1252 code: U+0080 is not the euro sign.
    EXPECT_EQ(ToCp1252(U(u"\u0080\u009F")), "??");
}

TEST(Codec, Utf8ToCp1252KeepsMalformedBytes) {
    EXPECT_EQ(Utf8ToCp1252("\xC3\xA4\xE2\x82\xAC"), "\xE4\x80");
    EXPECT_EQ(Utf8ToCp1252("a\x80z"), "a\x80z");             // lone continuation byte
    EXPECT_EQ(Utf8ToCp1252("\xE4rger"), "\xE4rger");         // already Windows-1252
    EXPECT_EQ(Utf8ToCp1252("x\xC3"), "x\xC3");               // cut at the end
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80\xAF"), "\xE0\x80\xAF"); // overlong "/" stays bytes
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "\xED\xA0\x80"); // encoded surrogate
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82z"), "\xE2\x82z");       // cut in the middle
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "\xC0\xAF");         // overlong "/"
    EXPECT_EQ(Utf8ToCp1252("\xF8\x88\x80\x80"), "\xF8\x88\x80\x80");
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!"); // valid, but without a code
    EXPECT_EQ(Utf8ToCp1252(""), "");
}

TEST(Codec, Utf8RoundTripOfEveryByte) {
    const std::string all = AllBytes();
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(utf8.substr(0x80, 3), "\xE2\x82\xAC");
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(FromCp1252(std::string_view(all)).toStdString(), utf8);
}

} // namespace
