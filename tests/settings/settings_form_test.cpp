#include "saver/settings/settings_form.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include <utility>

#include "handoff/handoff.h"
#include "saver/settings/file_choice.h"

namespace qv {
namespace {

FormDesign Design() { return SettingsFormDesign(nullptr, nullptr); }

const ControlDesign* Find(const FormDesign& d, const std::string& name, int index = -1) {
    for (const ControlDesign& c : d.controls)
        if (c.name == name && c.index == index) return &c;
    return nullptr;
}

TEST(SettingsForm, EveryControlOnceAndInsideWhatHoldsIt) {
    FormDesign d = Design();
    EXPECT_EQ(d.caption, handoff::kSettingsWindowTitle);  // start-up finds an open dialog by this title
    std::set<std::pair<std::string, int>> seen;
    const ControlDesign* panel = Find(d, "GFXFrameX1");
    ASSERT_NE(panel, nullptr);
    for (const ControlDesign& c : d.controls) {
        EXPECT_TRUE(seen.insert({c.name, c.index}).second) << c.name << c.index;
        if (c.kind == ControlKind::Timer) continue;
        bool store = c.name == "Pic_t" || c.name == "Img_Ra";
        int right = c.left + c.width, bottom = c.top + c.height;
        if (c.parent == "GFXFrameX1") {
            EXPECT_LE(right, panel->width) << c.name << c.index;
            EXPECT_LE(bottom, panel->height) << c.name << c.index;
        } else if (store) {
            EXPECT_GE(c.left, d.clientWidth) << c.name << c.index;  // never seen
        } else {
            EXPECT_LE(right, d.clientWidth) << c.name << c.index;
            EXPECT_LE(bottom, d.clientHeight) << c.name << c.index;
        }
    }
    for (int n = 1; n <= 24; ++n) EXPECT_NE(Find(d, "Pic_t", n), nullptr) << n;
}

// The dialog's design values, written out from its design table (twips: left, top, width,
// height; width or height -1 where the table gives none).
struct Placed {
    const char* name;
    int index;
    const char* parent;
    int left, top, width, height;
};
const Placed kDesignTable[] = {
    {"GFXFrameX1", -1, "", 180, 180, 7155, 2595},
    {"Sh", 0, "GFXFrameX1", 300, 240, 1695, 315},
    {"lbl", 15, "GFXFrameX1", 300, 300, 1665, 195},
    {"Img_BGM", 0, "GFXFrameX1", 420, 1080, 195, 195},
    {"Img_BGM", 1, "GFXFrameX1", 420, 780, 195, 195},
    {"Img_BGM", 2, "GFXFrameX1", 420, 1380, 195, 195},
    {"lbl_BGM", 0, "GFXFrameX1", 660, 1080, -1, 195},
    {"lbl_BGM", 1, "GFXFrameX1", 660, 780, -1, 195},
    {"lbl_BGM", 2, "GFXFrameX1", 660, 1380, -1, 195},
    {"lbl", 14, "GFXFrameX1", 2100, 780, 990, 195},
    {"BGM_Repeat", -1, "GFXFrameX1", 1440, 720, 615, 300},
    {"Cmd_File", -1, "GFXFrameX1", 360, 1680, 675, 375},
    {"lbl_Fname", -1, "GFXFrameX1", 1080, 1680, 5595, 495},
    {"Cmd_Set", -1, "", 2100, 2880, 1575, 495},
    {"Cmd_Can", -1, "", 3780, 2880, 1515, 495},
    {"Pic_m", 0, "", 180, 2880, 1845, 780},
    {"Pic_m", 1, "", 5400, 2880, 1845, 780},
    {"lbl", 7, "", 2160, 3480, 2475, 195},
};

TEST(SettingsForm, PlacesSizesFontColoursAndTimerAsDesigned) {
    FormDesign d = Design();
    EXPECT_EQ(d.clientWidth, 7455);
    EXPECT_EQ(d.clientHeight, 3990);
    EXPECT_EQ(d.backColor, 0x00E0E0E0u);  // rgb(224, 224, 224)
    EXPECT_EQ(d.border, BorderStyle::FixedDialog);
    FontDesc font;  // normal weight, no italic, underline or strike-through
    font.name = "ＭＳ Ｐゴシック";
    font.size = 9.75;
    font.charset = 128;  // Shift-JIS: without it the face's Japanese glyphs may not be picked
    EXPECT_EQ(d.font, font);
    for (const Placed& p : kDesignTable) {
        SCOPED_TRACE(::testing::Message() << p.name << " " << p.index);
        const ControlDesign* c = Find(d, p.name, p.index);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->parent, p.parent);
        EXPECT_EQ(c->left, p.left);
        EXPECT_EQ(c->top, p.top);
        EXPECT_EQ(c->height, p.height);
        // Single-line texts may be wider than designed (room for a wider substitute font), never
        // narrower.
        const bool mayGrow = std::string(p.name) == "lbl" && p.index != 15;
        if (p.width >= 0) {
            if (mayGrow) {
                EXPECT_GE(c->width, p.width);
            } else {
                EXPECT_EQ(c->width, p.width);
            }
        }
        EXPECT_FALSE(c->font && *c->font != d.font) << "every text in the dialog's font";
    }
    // Shape 0 black, shape 1 white (Form_Load moves 1 out from under 0).
    EXPECT_EQ(Find(d, "Sh", 0)->borderColor, 0x000000u);
    EXPECT_EQ(Find(d, "Sh", 1)->borderColor, 0xFFFFFFu);
    EXPECT_EQ(Find(d, "lbl", 15)->caption, "BGM");
    EXPECT_EQ(Find(d, "lbl", 15)->alignment, Alignment::Center);
    EXPECT_EQ(Find(d, "lbl", 14)->caption, "曲目をﾘﾋﾟｰﾄ");
    EXPECT_EQ(Find(d, "lbl", 7)->caption, "Designed by zantho Ver.1.0.0");
    const char* const sources[3] = {"なし", "音楽CD", "MP3、WAV"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Find(d, "lbl_BGM", i)->caption, sources[i]);

    const std::pair<const char*, const char*> buttons[] = {
        {"Cmd_File", "..."}, {"Cmd_Set", "設定"}, {"Cmd_Can", "ｷｬﾝｾﾙ"}};
    for (const auto& [name, caption] : buttons) {
        const ControlDesign* b = Find(d, name);
        ASSERT_TRUE(b && b->saved);
        EXPECT_EQ(b->saved->ReadString("Caption", ""), caption);
        EXPECT_EQ(b->saved->ReadFont("Font", FontDesc{}), d.font) << name;
    }
    // The panel stores only its shadow depth of 7.
    const ControlDesign* panel = Find(d, "GFXFrameX1");
    ASSERT_TRUE(panel->saved);
    EXPECT_EQ(panel->saved->Names(), std::vector<std::string>{"ShadowDepth"});
    EXPECT_EQ(panel->saved->ReadInt16("ShadowDepth", 0), 7);

    const ControlDesign* timer = Find(d, "Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval, 100);
    EXPECT_TRUE(timer->enabled);
}

TEST(SettingsForm, OnlyThePictureStoresAreHiddenAndOnlyThePathBreaksIntoLines) {
    FormDesign d = Design();
    // The stores hold pictures of 12 by 12 and 120 by 50 pixels, 15 twips each.
    struct Store {
        const char* name;
        int first, last, width, height;
    };
    const Store stores[] = {{"Img_Ra", 0, 1, 180, 180}, {"Pic_t", 1, 24, 1800, 750}};
    for (const Store& s : stores) {
        for (int i = s.first; i <= s.last; ++i) {
            SCOPED_TRACE(::testing::Message() << s.name << " " << i);
            const ControlDesign* c = Find(d, s.name, i);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->width, s.width);
            EXPECT_EQ(c->height, s.height);
            EXPECT_FALSE(c->visible);
        }
    }
    for (const ControlDesign& c : d.controls) {
        if (c.name != "Img_Ra" && c.name != "Pic_t") {
            EXPECT_TRUE(c.visible) << c.name << c.index;
        }
    }
    // The path has two lines' height; the repeat caption and the credit line have one.
    EXPECT_TRUE(Find(d, "lbl_Fname")->wordWrap);
    EXPECT_FALSE(Find(d, "lbl", 14)->wordWrap);
    EXPECT_FALSE(Find(d, "lbl", 7)->wordWrap);
    // The white box is the black one's shadow, of the same size.
    EXPECT_EQ(Find(d, "Sh", 1)->width, 1695);
    EXPECT_EQ(Find(d, "Sh", 1)->height, 315);
}

TEST(SettingsForm, SourceRowsAreIndexedByMusicSource) {
    FormDesign d = Design();
    for (int kind = 0; kind < 3; ++kind) {
        const ControlDesign* mark = Find(d, "Img_BGM", kind);
        const ControlDesign* text = Find(d, "lbl_BGM", kind);
        ASSERT_TRUE(mark && text);
        EXPECT_EQ(mark->top, text->top);  // a click on either picks the same source
        EXPECT_EQ(text->caption, kSourceTexts[kind]);
        EXPECT_EQ(mark->mousePointer, MousePointer::Custom);
    }
    EXPECT_EQ(Find(d, "lbl_BGM", 1)->caption, "音楽CD");
    // The CD row's text stops before the repeat box on the same row.
    const ControlDesign* combo = Find(d, "BGM_Repeat");
    const ControlDesign* cd = Find(d, "lbl_BGM", 1);
    EXPECT_LE(cd->left + cd->width, combo->left);
    EXPECT_EQ(combo->comboStyle, ComboStyle::DropDownCombo);  // typed text is allowed
}

TEST(FileChoice, AFileTheSystemCodePageHoldsIsChosen) {
    ChosenFile c = JudgeChosenFile("C:\\Musique\\Zoë.mp3", std::string("C:\\Musique\\Zo\xEB.mp3"));
    EXPECT_EQ(c.choice, FileChoice::Chosen);
    EXPECT_EQ(c.path, "C:\\Musique\\Zoë.mp3");
    EXPECT_EQ(JudgeChosenFile("C:\\" + std::string(250, 'a'), "C:\\" + std::string(250, 'a')).choice,
              FileChoice::Chosen);  // 253 bytes
}

TEST(FileChoice, NoFileIsACancelAndANameTheCodePageCannotCarryIsSaid) {
    EXPECT_EQ(JudgeChosenFile("", std::string()).choice, FileChoice::Cancelled);
    // A Japanese name on a system without Japanese: no ANSI form at all, or "?" for the characters.
    EXPECT_EQ(JudgeChosenFile("C:\\曲.mp3", std::nullopt).choice, FileChoice::NotStorable);
    EXPECT_EQ(JudgeChosenFile("C:\\曲.mp3", std::string("C:\\?.mp3")).choice, FileChoice::NotStorable);
    EXPECT_EQ(JudgeChosenFile("C:\\a*.mp3", std::string("C:\\a*.mp3")).choice, FileChoice::NotStorable);
}

TEST(FileChoice, APathTooLongForTheChooserInTheSystemCodePageIsNotChosen) {
    // Fits the wide chooser in characters, but its system form fills the chooser's buffer of
    // 255 bytes: as the chooser fails on a path too long for it, nothing changes and nothing
    // is said (no word about characters the code page holds).
    std::string wide = "C:\\", ansi = "C:\\";
    for (int i = 0; i < 125; ++i) wide += "曲", ansi += "\x8B\xC8";
    EXPECT_EQ(JudgeChosenFile(wide + "曲", ansi + "\x8B\xC8").choice, FileChoice::Cancelled);  // 255 bytes
    EXPECT_EQ(JudgeChosenFile(wide + "a", ansi + "a").choice, FileChoice::Chosen);             // 254 bytes
    // A name the code page cannot carry is said so, however long.
    EXPECT_EQ(JudgeChosenFile(wide + "曲", "C:\\" + std::string(252, '?')).choice, FileChoice::NotStorable);
}

// The dialog's resource script: resource number to "TYPE file", symbols resolved through the
// resource header.
std::map<int, std::string> ScriptResources() {
    std::map<std::string, int> symbols;
    std::ifstream header(QV_SOURCE_DIR "/saver/settings/settings_resources.h");
    for (std::string line; std::getline(header, line);) {
        char name[64];
        int value = 0;
        if (std::sscanf(line.c_str(), "#define %63s %d", name, &value) == 2) symbols[name] = value;
    }
    std::map<int, std::string> resources;
    std::ifstream script(QV_SOURCE_DIR "/saver/settings/settings_dialog.rc");
    for (std::string line; std::getline(script, line);) {
        std::istringstream words(line);
        std::string id, type, file;
        if (!(words >> id >> type >> file) || (type != "BITMAP" && type != "CURSOR")) continue;
        const int number = symbols.count(id) ? symbols[id] : std::atoi(id.c_str());
        resources[number] = type + " " + file;
    }
    return resources;
}

TEST(SettingsForm, EveryPictureItNamesIsTheRightOneInTheResourceScript) {
    const std::map<int, std::string> resources = ScriptResources();
    ASSERT_GE(resources.size(), 27u) << "the script was not read";
    auto bitmap = [&](int id) {
        auto it = resources.find(id);
        return it == resources.end() ? std::string("(none)") : it->second;
    };
    const FormDesign d = Design();
    for (int n = 1; n <= 24; ++n) {
        char file[32];
        std::snprintf(file, sizeof file, "BITMAP \"banner%02d.bmp\"", n);
        EXPECT_EQ(bitmap(Find(d, "Pic_t", n)->pictureResource), file) << "banner frame " << n;
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(bitmap(Find(d, "Pic_m", i)->pictureResource), "BITMAP \"banner24.bmp\"") << i;
        EXPECT_EQ(bitmap(Find(d, "Pic_m", i)->mouseIconResource), "CURSOR \"hand.cur\"") << i;
    }
    EXPECT_EQ(bitmap(Find(d, "Img_Ra", 0)->pictureResource), "BITMAP \"radio_off.bmp\"");
    EXPECT_EQ(bitmap(Find(d, "Img_Ra", 1)->pictureResource), "BITMAP \"radio_on.bmp\"");
}

}  // namespace
}  // namespace qv
