// Template grammar, field table and template file reading.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/CamEngine.h"
#include "template/TemplateFile.h"

using namespace orv;

namespace {

std::unique_ptr<CCamEngine> Parsed(const std::string& text)
{
    auto e = std::make_unique<CCamEngine>();
    e->ResetFieldTable();
    WCopy(e->m_WorkText, U16(text));
    e->ClearFields();
    EXPECT_EQ(e->ParseTemplate(u"\r\n"), 0);
    return e;
}

std::string Var(const CCamEngine& e, const char* name)
{
    wchar out[300];
    e.GetVar(U16(name).c_str(), out);
    return Utf8(out);
}

struct Entry {
    std::string name, value, extra1, extra2, extra3, def, transform;
    int length, textLength;
};

Entry Read(const TemplateField& f)
{
    return {Utf8(f.Name), Utf8(f.Value), Utf8(f.Extra1), Utf8(f.Extra2), Utf8(f.Extra3), Utf8(f.DefaultValue),
        Utf8(f.Transform), f.Length, f.TextLength};
}

void ExpectEntry(const TemplateField& f, const Entry& want)
{
    const Entry got = Read(f);
    EXPECT_EQ(got.name, want.name);
    EXPECT_EQ(got.value, want.value);
    EXPECT_EQ(got.extra1, want.extra1);
    EXPECT_EQ(got.extra2, want.extra2);
    EXPECT_EQ(got.extra3, want.extra3);
    EXPECT_EQ(got.def, want.def);
    EXPECT_EQ(got.transform, want.transform);
    EXPECT_EQ(got.length, want.length);
    EXPECT_EQ(got.textLength, want.textLength);
}

} // namespace

TEST(TemplateParse, SingleLineForms)
{
    struct Case {
        const char* line;
        Entry want;
    } cases[] = {
        {"a;4;x;y=z;0;5;TW2S", {"a", "5", "x", "y", "z", "5", "TW2S", 4, 0}},
        // Runs of ";" collapse, so a missing middle item shifts the rest left.
        {"a;4;x;y=;;;TW2S", {"a", "", "x", "y", "TW2S", "", "", 4, 0}},
        {"a;4;x;y", {"a", "", "x", "y", "", "", "", 4, 0}},
        {";;a;;4;x;y", {"a", "", "x", "y", "", "", "", 4, 0}},
        {"  Name ; 32 ;a;b= c ; 32 ; Cam ;TC2S  ", {"Name", "Cam", "a", "b", "c", "Cam", "TC2S", 32, 32}},
        {"CameraName;32;a;b=c;32;My Cam;TC2S", {"CameraName", "", "a", "b", "c", "", "TC2S", 32, 32}},
        {"a;-7x;x;y=z;+12;v;T", {"a", "v", "x", "y", "z", "v", "T", -7, 12}},
        {"a;4;x;y;extra;more=z;0;5;TW2S;ignored", {"a", "5", "x", "y", "z", "5", "TW2S", 4, 0}},
        {"a;4;x;y=", {"a", "", "x", "y", "", "", "", 4, 0}},
        {"a;4=z;0;5;TW2S", {"a", "5", "", "", "z", "5", "TW2S", 4, 0}}, // last line: kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto e = Parsed(c.line);
        ASSERT_EQ(e->m_nFieldCount, 1);
        ExpectEntry(e->m_Fields[0], c.want);
        EXPECT_EQ(e->m_Fields[0].Kind, kParsed);
    }
}

TEST(TemplateParse, LinesCommentsAndFinalLineEnd)
{
    const std::string body = "/ comment\r\n[Section]\r\n\r\nA;2;a;b=c;0;1;TW2S\r\nPad;2;a;b\r\nB;4;a;b=c;0;2;TW2S";
    auto plain = Parsed(body);
    auto ended = Parsed(body + "\r\n");
    for (auto* e : {plain.get(), ended.get()}) {
        ASSERT_EQ(e->m_nFieldCount, 3);
        EXPECT_EQ(Utf8(e->m_Fields[0].Name), "A");
        EXPECT_EQ(Utf8(e->m_Fields[1].Name), "Pad");
        EXPECT_EQ(Utf8(e->m_Fields[2].Name), "B");
        EXPECT_EQ(e->m_Fields[3].Kind, kFree);
    }
    // Lines end at CR LF only: a bare LF stays inside the line.
    auto lf = Parsed("A;2;a;b\nB;2;a;b");
    EXPECT_EQ(lf->m_nFieldCount, 1);
}

TEST(TemplateParse, AbortRuleEmptiesTableBeforeLastLine)
{
    const char* bad[] = {
        "A;2;a;b=c;0;1;TW2S\r\na;4=z;0;5;TW2S\r\nB;2;a;b=c;0;1;TW2S",
        "a;4;x=z;0;5;TW2S\r\nB;2;a;b",
        "a;4;x;y y=z;0;5;TW2S\r\nB;2;a;b",
        "a;4=z;0;5;TW2S\r\n\r\n", // an empty line still follows it
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        auto e = Parsed(text);
        EXPECT_EQ(e->m_nFieldCount, 0);
        EXPECT_EQ(Var(*e, "A"), "ERROR");
        // Encoding an aborted table sends an empty payload.
        e->EncodeRequest();
        EXPECT_EQ(e->m_nPayloadLength, 0);
    }
    // Followed only by the final CR LF, the line is the last line and gives
    // its entry, exactly as without that CR LF.
    for (const char* text : {"a;4=z;0;5;TW2S\r\n", "a;4=z;0;5;TW2S", "A;2;a;b=c;0;1;TW2S\r\na;4=z;0;5;TW2S\r\n"}) {
        SCOPED_TRACE(text);
        auto last = Parsed(text);
        ASSERT_GE(last->m_nFieldCount, 1);
        const TemplateField& f = last->m_Fields[last->m_nFieldCount - 1];
        EXPECT_EQ(Utf8(f.Name), "a");
        EXPECT_EQ(f.Length, 4);
        EXPECT_EQ(Utf8(f.Extra1), "");
        EXPECT_EQ(Var(*last, "a"), "5");
    }
    // Lines without "=" never abort; a bad item is just not stored.
    auto e = Parsed("a;4 4;x;y\r\nB;2;a;b");
    ASSERT_EQ(e->m_nFieldCount, 2);
    EXPECT_EQ(e->m_Fields[0].Length, 0);
}

TEST(TemplateParse, TableHoldsAtMost200Fields)
{
    std::string text;
    for (int i = 0; i < 205; ++i)
        text += "F" + std::to_string(i) + ";1;a;b=c;0;" + std::to_string(i) + ";TW2S\r\n";
    auto e = Parsed(text);
    EXPECT_EQ(e->m_nFieldCount, 200);
    EXPECT_EQ(Var(*e, "F199"), "199");
    EXPECT_EQ(Var(*e, "F200"), "ERROR");
}

TEST(TemplateParse, EachSideIsCutAt255Characters)
{
    const std::string longName(300, 'n');
    auto e = Parsed(longName + ";4;a;b=c;0;v;TW2S");
    ASSERT_EQ(e->m_nFieldCount, 1);
    EXPECT_EQ(Utf8(e->m_Fields[0].Name), std::string(255, 'n'));
    EXPECT_EQ(e->m_Fields[0].Length, 0); // the length item fell beyond the cut
    // Stored strings are cut to their buffers.
    auto d = Parsed("a;4;" + std::string(40, 'x') + ";b=c;0;" + std::string(200, 'v') + ";TW2S");
    EXPECT_EQ(Utf8(d->m_Fields[0].Extra1), std::string(31, 'x'));
    EXPECT_EQ(Utf8(d->m_Fields[0].DefaultValue), std::string(127, 'v'));
    EXPECT_EQ(Utf8(d->m_Fields[0].Value), std::string(200, 'v'));
}

TEST(FieldTable, SetVarAndGetVar)
{
    auto e = Parsed("A;2;a;b=c;0;1;TW2S\r\nA;2;a;b=c;0;2;TW2S\r\nB;2;a;b=c;0;3;TW2S");
    EXPECT_EQ(e->SetVar(u"A", u"42"), -1);
    EXPECT_EQ(Utf8(e->m_Fields[0].Value), "42");
    EXPECT_EQ(e->m_Fields[0].Kind, kAssigned);
    EXPECT_EQ(Utf8(e->m_Fields[1].Value), "2"); // only the first of two
    EXPECT_EQ(e->m_Fields[1].Kind, kParsed);

    EXPECT_EQ(e->SetVarInt(u"New", -12), -1);
    ASSERT_EQ(e->m_nFieldCount, 4);
    EXPECT_EQ(Var(*e, "New"), "-12");
    EXPECT_EQ(e->m_Fields[3].Length, 0);

    EXPECT_EQ(Var(*e, "a"), "ERROR"); // case-sensitive
    EXPECT_EQ(Var(*e, "Missing"), "ERROR");
    wchar out[300];
    e->GetVar(nullptr, out);
    EXPECT_EQ(Utf8(out), "ERROR");
    EXPECT_EQ(e->SetVar(nullptr, u"x"), 0);

    // A value is cut to 299 characters and the old one fully replaced.
    e->SetVar(u"B", U16(std::string(400, 'z')).c_str());
    EXPECT_EQ(Var(*e, "B"), std::string(299, 'z'));
    e->SetVar(u"B", u"s");
    EXPECT_EQ(Var(*e, "B"), "s");
}

TEST(FieldTable, NewVariableNeverTakesWireRoom)
{
    // After an aborted parse entry 0 still holds a 4-byte field; a new
    // variable written there must not inherit it.
    auto e = Parsed("a;4;x;y=z;0;5;TW2S\r\nb;4=z\r\nc;1;x;y");
    ASSERT_EQ(e->m_nFieldCount, 0);
    EXPECT_EQ(e->SetVar(u"Mode", u"3"), -1);
    e->EncodeRequest();
    EXPECT_EQ(e->m_nPayloadLength, 0);
}

TEST(FieldTable, FullTableStoresNothing)
{
    auto e = std::make_unique<CCamEngine>();
    e->ClearFields();
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(e->SetVarInt(U16("V" + std::to_string(i)).c_str(), i), -1);
    EXPECT_EQ(e->SetVar(u"Extra", u"1"), 0);
    EXPECT_EQ(e->m_nFieldCount, 200);
    EXPECT_EQ(Var(*e, "Extra"), "ERROR");
    EXPECT_EQ(e->SetVar(u"V7", u"x"), -1); // existing names still change
    EXPECT_EQ(Var(*e, "V7"), "x");
}

TEST(FieldTable, ClearAndResetAndInsert)
{
    auto e = Parsed("A;2;a;b=c;0;1;TW2S");
    e->ResetFieldTable();
    EXPECT_EQ(e->m_nFieldCount, 0);
    EXPECT_EQ(e->m_Fields[0].Kind, kFree);
    EXPECT_EQ(e->m_Fields[0].Length, 2); // reset leaves the other fields
    EXPECT_EQ(Utf8(e->m_Fields[0].Transform), "TW2S");
    e->ClearFields();
    EXPECT_EQ(e->m_Fields[0].Length, 0);
    EXPECT_EQ(Utf8(e->m_Fields[0].Transform), "");

    TemplateField f {};
    f.Kind = kParsed;
    for (auto& c : f.Name)
        c = u'x'; // unterminated: the table terminates it
    for (int i = 0; i < 201; ++i)
        e->InsertField(f);
    EXPECT_EQ(WLen(e->m_Fields[199].Name, 300), 299u);
    EXPECT_EQ(e->m_nFieldCount, 0); // InsertField never counts
}

TEST(TemplateFile, FolderAndReading)
{
    EXPECT_EQ(TemplateFolderOf("/opt/orvanta"), "/opt/orvanta/tOrvanta/");
    EXPECT_EQ(TemplateFolderOf("/opt/orvanta/"), "/opt/orvanta/tOrvanta/");
    EXPECT_NE(TemplateFolder().find("/tOrvanta/"), std::string::npos);

    const auto dir = std::filesystem::temp_directory_path() / ("orvanta_tpl_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string folder = dir.string() + "/";
    {
        std::ofstream(dir / "Small_temp", std::ios::binary) << "/ test\r\nA;2;a;b=c;0;258;TW2S\r\n";
        std::string big(12000, 'x');
        std::ofstream(dir / "Big_temp", std::ios::binary) << big;
    }
    static char text[kTemplateTextBytes];
    auto e = std::make_unique<CCamEngine>();
    EXPECT_EQ(LoadTemplateInto(*e, folder, "Missing_temp", text), 1);
    EXPECT_EQ(ReadTemplateFile(folder, "", text), 1); // the folder itself
    EXPECT_EQ(LoadTemplateInto(*e, folder, "Small_temp", text), 0);
    ASSERT_EQ(e->m_nFieldCount, 1);
    EXPECT_EQ(Var(*e, "A"), "258");

    EXPECT_EQ(ReadTemplateFile(folder, "Big_temp", text), 0);
    EXPECT_EQ(std::string(text).size(), kTemplateKeptBytes);
    EXPECT_EQ(text[kTemplateKeptBytes], 0);
    std::filesystem::remove_all(dir);
}
