// The INI text rules: what a line means, what a lookup finds, and what an edit leaves in the text.
#include <gtest/gtest.h>

#include "base/AnsiText.h"
#include "core/IniDocument.h"

namespace vt {
namespace {

std::optional<std::string> Read(const std::string& text, const char* section, const char* key) {
    return IniDocument::Parse(text).ReadValue(section, key);
}

TEST(IniDocumentRead, FindsSectionsAndKeysRegardlessOfLetterCaseAndBlanks) {
    const std::string text = "  [Options]  \r\n  appPATH  =  C:\\x.exe  \r\ntoconfig=1\n";
    EXPECT_EQ(Read(text, "OPTIONS", "AppPath"), "C:\\x.exe");
    EXPECT_EQ(Read(text, " options ", " appPath "), "C:\\x.exe");
    EXPECT_EQ(Read(text, "Options", "ToConfig"), "1");
}

TEST(IniDocumentRead, LettersOfCodePage1252FoldToo) {
    EXPECT_EQ(Read("[\xC9t\xE9]\r\n\xE9l\xE8ve=1\r\n", "\xE9T\xC9", "\xC9L\xC8VE"), "1");
}

// A double-byte code page: 0x82 leads a character whose second byte may be an ASCII letter;
// full-width a (82 81) folds to full-width A (82 60) as the system says, the second byte alone
// never folds.
TEST(IniDocumentRead, DoubleByteCharactersFoldWholeNeverInside) {
    AnsiCodePage page = AnsiCodePage::Cp1252();
    page.length[0x82] = 2;
    page.foldLong = [](std::string_view c) {
        return c == "\x82\x81" ? std::string("\x82\x60") : std::string(c);
    };
    UseAnsiCodePage(page);
    const std::string text = "[S]\r\nk\x82\x61=lower\r\nK\x82\x41=other\r\n\x82\x81x=wide\r\n";
    EXPECT_EQ(Read(text, "s", "K\x82\x61"), "lower");
    EXPECT_EQ(Read(text, "S", "k\x82\x41"), "other");
    EXPECT_EQ(Read(text, "S", "\x82\x60X"), "wide");
    EXPECT_TRUE(EqualsIgnoreCase("a\x82", "A\x82"));  // a lead byte cut off by the end
    UseAnsiCodePage(AnsiCodePage::Cp1252());
}

TEST(IniDocumentRead, FirstEqualsEndsTheKey) {
    EXPECT_EQ(Read("[S]\r\na=b=c\r\n", "S", "a"), "b=c");
    EXPECT_EQ(Read("[S]\r\na=b=c\r\n", "S", "a=b"), std::nullopt);
}

TEST(IniDocumentRead, MatchingQuotesAreRemovedOthersKept) {
    const std::string text =
        "[S]\r\nd=\"quoted value\"\r\ns='single'\r\nm=\"mixed'\r\none=\"\r\ninner=a\"b\"\r\n";
    EXPECT_EQ(Read(text, "S", "d"), "quoted value");
    EXPECT_EQ(Read(text, "S", "s"), "single");
    EXPECT_EQ(Read(text, "S", "m"), "\"mixed'");
    EXPECT_EQ(Read(text, "S", "one"), "\"");
    EXPECT_EQ(Read(text, "S", "inner"), "a\"b\"");
}

TEST(IniDocumentRead, FirstOfDuplicateSectionsAndKeysWins) {
    const std::string text = "[S]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\nonly=4\r\n";
    EXPECT_EQ(Read(text, "S", "k"), "1");
    EXPECT_EQ(Read(text, "S", "only"), std::nullopt);
}

TEST(IniDocumentRead, LinesWithoutEqualsAreKeysWithoutValue) {
    const std::string text = "[S]\r\nflag\r\nflag=1\r\n;comment=2\r\n";
    EXPECT_EQ(Read(text, "S", "flag"), std::nullopt);
    EXPECT_EQ(Read(text, "S", ";comment"), "2");
    EXPECT_EQ(IniDocument::Parse(text).KeyNames("S"), (std::vector<std::string>{"flag"}));
}

TEST(IniDocumentRead, SectionHeaderRules) {
    // The name runs to the last "]", without blanks around it; "[" alone is a key.
    const std::string text = "[a]b]\r\nk=1\r\n[ spaced ]\r\nk=2\r\n[open\r\nk=3\r\n";
    EXPECT_EQ(Read(text, "a]b", "k"), "1");
    EXPECT_EQ(Read(text, " SPACED", "k"), "2");
    // Listing takes the asked name as it stands: blanks around it find nothing.
    EXPECT_EQ(IniDocument::Parse(text).KeyNames("spaced"), (std::vector<std::string>{"k", "k"}));
    EXPECT_EQ(IniDocument::Parse(text).KeyNames(" spaced "), (std::vector<std::string>{}));
    EXPECT_EQ(IniDocument::Parse(text).KeyNames("a]b"), (std::vector<std::string>{"k"}));
}

TEST(IniDocumentRead, KeysBeforeTheFirstSectionBelongToNone) {
    EXPECT_EQ(Read("k=1\r\n[S]\r\n", "", "k"), std::nullopt);
    EXPECT_EQ(Read("k=1\r\n[]\r\nk=2\r\n", "", "k"), std::nullopt);
}

TEST(IniDocumentRead, ListsKeysInFileOrderSkippingEmptyAndCommentNames) {
    const std::string text =
        "[S]\r\nzeta=1\r\n=orphan\r\n;note=x\r\nAlpha=2\r\n\r\nzeta=3\r\n[T]\r\n";
    EXPECT_EQ(IniDocument::Parse(text).KeyNames("s"),
              (std::vector<std::string>{"zeta", "Alpha", "zeta"}));
    EXPECT_TRUE(IniDocument::Parse(text).KeyNames("missing").empty());
}

TEST(IniDocumentRead, LoneCarriageReturnsEndLinesAndEndOfFileMarksAreBlanks) {
    EXPECT_EQ(Read("[S]\rk=1\r\n", "S", "k"), "1");
    EXPECT_EQ(Read("[S]\na=1\rb=2\n", "S", "b"), "2");
    EXPECT_EQ(Read("[S]\r\nk=1\x1a\r\r\n", "S", "k"), "1");
}

TEST(IniDocumentRead, NoLengthLimits) {
    const std::string longValue(100000, 'v');
    std::string text = "[Configurations]\r\n";
    for (int i = 0; i < 2000; ++i) text += "{KEY-" + std::to_string(i) + "}=Name\r\n";
    text += "long=" + longValue + "\r\n";
    const IniDocument doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.KeyNames("Configurations").size(), 2001u);
    EXPECT_EQ(doc.ReadValue("Configurations", "long"), longValue);
}

TEST(IniDocumentWrite, ReplacesInPlaceAndKeepsEverythingElse) {
    IniDocument doc = IniDocument::Parse("; my notes\r\n[S]\r\n  Key = old \r\nother=1\r\n");
    doc.WriteValue("s", "KEY", "new");
    EXPECT_EQ(doc.Serialize(), "; my notes\r\n[S]\r\nKey=new\r\nother=1\r\n");
}

TEST(IniDocumentWrite, NewKeyGoesAfterTheSectionsLastKey) {
    IniDocument doc = IniDocument::Parse("[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n");
    doc.WriteValue("A", "a2", "2");
    doc.WriteValue("B", "b2", "2");
    EXPECT_EQ(doc.Serialize(), "[A]\r\na=1\r\na2=2\r\n\r\n[B]\r\nb=1\r\nb2=2\r\n");
}

TEST(IniDocumentWrite, NewSectionGoesToTheEnd) {
    IniDocument empty;
    empty.WriteValue("Options", "AppPath", "C:\\a.exe");
    EXPECT_EQ(empty.Serialize(), "[Options]\r\nAppPath=C:\\a.exe\r\n");
    empty.WriteValue("Configurations", "{K}", "Office");
    EXPECT_EQ(empty.Serialize(),
              "[Options]\r\nAppPath=C:\\a.exe\r\n\r\n[Configurations]\r\n{K}=Office\r\n");
    EXPECT_EQ(empty.ReadValue("CONFIGURATIONS", "{k}"), "Office");
}

TEST(IniDocumentWrite, ValueKeyWithoutEqualsGetsOne) {
    IniDocument doc = IniDocument::Parse("[S]\r\nflag\r\n");
    doc.WriteValue("S", "flag", "1");
    EXPECT_EQ(doc.Serialize(), "[S]\r\nflag=1\r\n");
}

TEST(IniDocumentWrite, LeadingBlanksOfValueDropped) {
    IniDocument doc;
    doc.WriteValue("S", "k", "  v");
    EXPECT_EQ(doc.ReadValue("S", "k"), "v");
}

TEST(IniDocumentWrite, DeleteKeyAndEraseSection) {
    IniDocument doc = IniDocument::Parse("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n[C]\r\nw=4\r\n");
    EXPECT_TRUE(doc.DeleteKey("a", "X"));
    EXPECT_FALSE(doc.DeleteKey("a", "X"));
    EXPECT_TRUE(doc.EraseSection("b"));
    EXPECT_FALSE(doc.EraseSection("b"));
    EXPECT_EQ(doc.Serialize(), "[A]\r\ny=2\r\n[C]\r\nw=4\r\n");
    EXPECT_EQ(doc.ReadValue("C", "w"), "4");  // the index still finds sections after the erased one
    doc.WriteValue("B", "z", "5");
    EXPECT_EQ(doc.ReadValue("b", "z"), "5");
}

TEST(IniDocumentWrite, LongSectionsFindTheFirstKeyThroughEveryEdit) {
    std::string text = "[Big]\r\nNoValue\r\n";
    for (int i = 0; i < 100; ++i)
        text += "K" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    IniDocument doc = IniDocument::Parse(text + "k5=second\r\nnovalue=late\r\n\r\n[After]\r\n");
    EXPECT_EQ(doc.ReadValue("big", "k5"), "5");
    EXPECT_EQ(doc.ReadValue("Big", "novalue"), std::nullopt);  // the first line of a name wins
    doc.DeleteKey("Big", "K5");
    EXPECT_EQ(doc.ReadValue("Big", "K5"), "second");
    EXPECT_EQ(doc.ReadValue("Big", "K99"), "99");
    doc.WriteValue("Big", "New", "n");
    doc.WriteValue("Big", "K99", "x");
    EXPECT_EQ(doc.ReadValue("Big", "new"), "n");
    EXPECT_EQ(doc.ReadValue("Big", "K99"), "x");
    EXPECT_EQ(doc.KeyNames("Big").back(), "New");
    EXPECT_TRUE(doc.Serialize().ends_with("novalue=late\r\nNew=n\r\n\r\n[After]\r\n"));
}

TEST(IniDocumentWrite, LineBreaksAndNulAreNotStorable) {
    EXPECT_TRUE(IniDocument::IsStorable("plain = text ; [x]"));
    EXPECT_FALSE(IniDocument::IsStorable("a\r\n[Options]"));
    EXPECT_FALSE(IniDocument::IsStorable("a\nb"));
    EXPECT_FALSE(IniDocument::IsStorable(std::string("a\0b", 3)));
}

TEST(IniDocumentWrite, SerializeOfUnchangedTextKeepsEveryLine) {
    const std::string text = "junk before\r\n[S]\r\n k = v \r\n\r\n;c\r\n[T]\r\n";
    EXPECT_EQ(IniDocument::Parse(text).Serialize(), text);
    // LF-only files come back with CR LF, and a missing final line end is added.
    EXPECT_EQ(IniDocument::Parse("[S]\nk=v").Serialize(), "[S]\r\nk=v\r\n");
}

}  // namespace
}  // namespace vt
