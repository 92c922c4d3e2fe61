// SPDX-License-Identifier: MIT
// What only the browser's program must do, in headless Chromium: nothing a screen reader user
// would stumble on, the whole window on a phone, a tablet and zoomed in, one file that asks for
// nothing, and a site that installs and keeps working without the network.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

#include "tests/web/browser_tests.h"
#include "tests/web/webdriver.h"
#include "window/description.h"

namespace {

using webdriver::Json;

constexpr const char* kPage = "file://" VRENKODAL_WEB_PAGE;
constexpr int kWindowWidth = 461;
webdriver::Session* session = nullptr;

std::string Report() {
    return session->Evaluate("return document.getElementById('Text1_0').value").get<std::string>();
}

// Types into the age box and presses "Изведи", each with the given kind of pointer.
void ShowAge(std::string_view age, std::string_view pointer) {
    session->Tap("Text2", pointer);
    EXPECT_TRUE(session->WaitFor("document.activeElement.id == 'Text2'"))
        << "the age box took no focus";
    std::vector<std::string> keys;
    for (const char c : age) keys.emplace_back(1, c);
    session->Keys(keys);
    session->Tap("Command1_0", pointer);
    EXPECT_TRUE(session->WaitFor("document.getElementById('Text1_0').value.startsWith('Въведени')"))
        << "the press made no report";
}

// ---- Accessibility: axe-core over the page, at rest and with the frame shown ---------------

class AccessibilityTest : public testing::TestWithParam<bool> {};

TEST_P(AccessibilityTest, AxeFindsNothingSeriousOrCritical) {
    session->SetWindowSize(1024, 768);
    session->OpenProgram(kPage);
    if (GetParam()) ShowAge("45", "mouse");
    std::ifstream file(VRENKODAL_AXE);
    ASSERT_TRUE(file) << "no axe-core at " VRENKODAL_AXE ": scripts/setup installs it";
    session->Execute(std::string(std::istreambuf_iterator<char>(file), {}));
    const Json result = session->ExecuteAsync(R"(
        const done = arguments[0];
        axe.run(document).then(r => done({
          passes: r.passes.length,
          serious: r.violations.filter(v => v.impact == "serious" || v.impact == "critical")
                     .map(v => v.id + ": " + v.help + " at " + v.nodes.map(n => n.target).join(" "))
        }), e => done({passes: 0, serious: [String(e)]}));)");
    EXPECT_GT(result["passes"].get<int>(), 10);  // it did look
    EXPECT_EQ(result["serious"], Json::array()) << result["serious"].dump(2);
}

INSTANTIATE_TEST_SUITE_P(Page, AccessibilityTest, testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "frame_shown" : "at_start");
});

// ---- In a pupil's hand: every screen's width, by touch and zoomed ---------------------------

enum class Layout {
    kExact,   // the window as on the desktop, 461 x 345
    kColumn,  // the controls in one column, the report box last
    kBeside,  // the report box beside the controls, on a short wide screen
};

struct FitRow {
    const char* name;
    int screen_width;  // CSS pixels
    int screen_height;
    bool touch;      // a phone's or a tablet's screen: its viewport, touch
    int scroll_bar;  // the width of classic scroll bars, 0 for overlaid ones
    Layout layout;
    bool answer_in_view = true;  // both lines of the report on the screen after the press
};

void PrintTo(const FitRow& row, std::ostream* out) { *out << row.name; }

class FitTest : public testing::TestWithParam<FitRow> {};

// Nothing scrolls sideways; where the window does not fit, or on a touch screen, the controls
// stand in one column, or beside the report box on a short screen, none narrower than a
// finger, no text under 16 px; the task works with the screen's own pointer, and its answer
// shows without scrolling, the focus left on the button.
TEST_P(FitTest, FitsTheScreenWithTargetsAndTextLargeEnough) {
    const FitRow& row = GetParam();
    // WebKit, on a desktop, takes the rows its window can: a mouse, its own scroll bars.
    const bool webkit = session->Kind() == webdriver::Browser::WebKit;
    if (webkit && row.scroll_bar > 0) GTEST_SKIP() << "WebKit overlays its scroll bars";
    if (!session->ShowAs(row.screen_width, row.screen_height, row.touch)) {
        GTEST_SKIP() << "no such screen in this browser: touch, or narrower than its window";
    }
    session->OpenProgram(kPage);
    if (row.scroll_bar > 0) {
        // Headless Chromium overlays its scroll bars; these take room, as classic ones do, and
        // the page is made long enough to need one.
        session->Evaluate(R"(
            const style = document.createElement("style");
            style.textContent = "::-webkit-scrollbar{width:" + arguments[0] + "px;height:" +
                                arguments[0] + "px;background:gray}body{min-height:200vh}";
            document.head.append(style);)",
                          {row.scroll_bar});
    }
    const Json seen = session->Evaluate(R"(
        const page = document.documentElement;
        const box = id => document.getElementById(id).getBoundingClientRect();
        const window = box(arguments[0]);
        const smallest = Math.min(...[...document.querySelectorAll("main *")]
            .filter(e => e.checkVisibility() && [...e.childNodes].some(
                n => n.nodeType == Node.TEXT_NODE && n.textContent.trim()))
            .map(e => parseFloat(getComputedStyle(e).fontSize)));
        const targets = ["Text2", "Command1_0", "Command1_1"].map(box);
        return {scroll: page.scrollWidth, client: page.clientWidth,
                width: Math.round(window.width), height: Math.round(window.height),
                smallest_text: smallest,
                narrowest: Math.min(...targets.map(r => r.width)),
                lowest: Math.min(...targets.map(r => r.height)),
                report_last: box("Text1_0").top >= Math.max(...targets.map(r => r.bottom)),
                report_beside: box("Text1_0").left >= Math.max(...targets.map(r => r.right))};)",
                                        {std::string(vrenkodal::MainWindow().name)});
    EXPECT_LE(seen["scroll"].get<int>(), seen["client"].get<int>()) << "scrolls sideways";
    if (row.layout == Layout::kExact) {
        EXPECT_EQ(seen["width"].get<int>(), kWindowWidth);
        EXPECT_EQ(seen["height"].get<int>(), 345);
    } else {
        if (row.layout == Layout::kColumn) {
            EXPECT_TRUE(seen["report_last"].get<bool>()) << "not one column, the report box last";
        } else {
            EXPECT_TRUE(seen["report_beside"].get<bool>()) << "the report box not beside";
        }
        EXPECT_GE(seen["smallest_text"].get<double>(), 16.0);
        const int finger = row.touch ? 44 : 24;
        EXPECT_GE(seen["narrowest"].get<int>(), finger);
        EXPECT_GE(seen["lowest"].get<int>(), finger);
    }
    ShowAge("45", row.touch ? "touch" : "mouse");
    if (row.answer_in_view) {
        // The bottom of the report's second line, its line height at most 1.3 of the font's.
        const Json answer = session->Evaluate(R"(
            const box = document.getElementById("Text1_0"), s = getComputedStyle(box);
            const r = box.getBoundingClientRect();
            const lines = r.top + parseFloat(s.borderTopWidth) + parseFloat(s.paddingTop) +
                          2.6 * parseFloat(s.fontSize);
            return {in_view: r.top >= 0 && lines <= innerHeight && box.scrollTop == 0,
                    focus: document.activeElement.id};)");
        EXPECT_TRUE(answer["in_view"].get<bool>()) << "the answer is off the screen";
        EXPECT_EQ(answer["focus"], "Command1_0");
    }
    session->ShowAsDesktop();
    EXPECT_EQ(Report(), "Въведени години: 45\nтип: Волски\n");
}

const FitRow kFitRows[] = {
    {"phone_320_upright_is_one_column", 320, 568, true, 0, Layout::kColumn},
    {"phone_360_upright_is_one_column", 360, 740, true, 0, Layout::kColumn},
    {"phone_390_upright_is_one_column", 390, 844, true, 0, Layout::kColumn},
    {"phone_740_on_its_side_has_the_report_beside", 740, 360, true, 0, Layout::kBeside},
    {"phone_844_on_its_side_has_the_report_beside", 844, 390, true, 0, Layout::kBeside},
    {"tablet_1024_is_one_column", 1024, 768, true, 0, Layout::kColumn},
    // 192 px high: the answer is below, a scroll away.
    {"desktop_zoomed_to_400_percent_is_one_column", 320, 192, false, 0, Layout::kColumn, false},
    {"desktop_window_450_is_one_column", 450, 600, false, 0, Layout::kColumn},
    {"desktop_with_room_is_exact", 1024, 768, false, 0, Layout::kExact},
    {"desktop_just_wide_enough_is_exact", kWindowWidth, 740, false, 0, Layout::kExact},
    {"scroll_bar_band_is_one_column", kWindowWidth + 10, 740, false, 17, Layout::kColumn},
    {"scroll_bar_beside_a_whole_window_is_exact",
     kWindowWidth + 17,
     740,
     false,
     17,
     Layout::kExact},
};

INSTANTIATE_TEST_SUITE_P(Screens, FitTest, testing::ValuesIn(kFitRows), [](const auto& info) {
    return std::string(info.param.name);
});

// ---- A reader's own text spacing -------------------------------------------------------------

struct SpacingRow {
    const char* name;
    int screen_width;
    int screen_height;
    bool touch;
};

void PrintTo(const SpacingRow& row, std::ostream* out) { *out << row.name; }

class TextSpacingTest : public testing::TestWithParam<SpacingRow> {};

// With the text spacing a pupil with dyslexia may read with (WCAG's test values, as a reader's
// style sheet applies them), every text stays whole inside its control, and no control runs
// into another; the options and the caption stay inside their frame.
TEST_P(TextSpacingTest, KeepsEveryTextInsideItsControl) {
    const SpacingRow& row = GetParam();
    if (!session->ShowAs(row.screen_width, row.screen_height, row.touch)) {
        GTEST_SKIP() << "no such screen in this browser";
    }
    session->OpenProgram(kPage);
    ShowAge("45", row.touch ? "touch" : "mouse");
    const Json problems = session->Evaluate(R"(
        const win = document.querySelector("main");
        const frame = win.querySelector("fieldset");
        const options = [...frame.querySelectorAll(".option")];
        const name = e => e.id || (e.querySelector("input") || e).id || e.tagName;
        const shown = e => e.checkVisibility() && !e.classList.contains("unseen");
        const inside = (a, b) => a.left >= b.left - 0.5 && a.right <= b.right + 0.5 &&
                                 a.top >= b.top - 0.5 && a.bottom <= b.bottom + 0.5;
        // How deep each two controls overlap: the described window has Label2 reach 1 px
        // under the age box; spacing may not take either deeper into the other.
        const overlaps = () => {
            const controls = [...[...win.children].filter(e => shown(e) && e.id), ...options,
                              frame.querySelector("legend")];
            const out = {};
            for (const [i, a] of controls.entries()) {
                for (const b of controls.slice(i + 1)) {
                    if (b.parentNode == a) continue;
                    const p = a.getBoundingClientRect(), q = b.getBoundingClientRect();
                    const w = Math.min(p.right, q.right) - Math.max(p.left, q.left);
                    const h = Math.min(p.bottom, q.bottom) - Math.max(p.top, q.top);
                    out[name(a) + " runs into " + name(b)] = Math.max(0, Math.min(w, h));
                }
            }
            return out;
        };
        const before = overlaps();
        const style = document.createElement("style");
        style.textContent = "*{line-height:1.5!important;letter-spacing:0.12em!important;" +
                            "word-spacing:0.16em!important}p{margin-bottom:2em!important}";
        document.head.append(style);
        const problems = [];
        // Every text but the report box's, which scrolls.
        for (const e of [...win.querySelectorAll("*")].filter(shown)) {
            const text = [...e.childNodes].find(n => n.nodeType == Node.TEXT_NODE &&
                                                     n.textContent.trim());
            if (!text || e.tagName == "TEXTAREA") continue;
            // Its glyphs, blanks aside, and its lines as tall as the spacing makes them.
            const range = document.createRange(), content = text.textContent;
            range.setStart(text, content.length - content.trimStart().length);
            range.setEnd(text, content.trimEnd().length);
            if (!inside(range.getBoundingClientRect(), e.getBoundingClientRect()) ||
                e.scrollHeight > e.clientHeight)
                problems.push("the text of " + name(e) + " outgrows it");
        }
        // A one-line box's text, wider or taller than the box shows.
        const age = document.getElementById("Text2");
        if (age.scrollWidth > age.clientWidth || age.scrollHeight > age.clientHeight)
            problems.push("the age box cuts its text");
        for (const [pair, depth] of Object.entries(overlaps()))
            if (depth > before[pair] + 0.5) problems.push(pair);
        for (const inner of [...options, frame.querySelector("legend")])
            if (!inside(inner.getBoundingClientRect(), frame.getBoundingClientRect()))
                problems.push(name(inner) + " stands out of its frame");
        return problems;)");
    EXPECT_EQ(problems, Json::array());
    session->ShowAsDesktop();
}

const SpacingRow kSpacingRows[] = {
    {"desktop", 1024, 768, false},
    {"phone_360", 360, 740, true},
};

INSTANTIATE_TEST_SUITE_P(Screens, TextSpacingTest, testing::ValuesIn(kSpacingRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- One file: opened from disk it asks for nothing else -----------------------------------

// From disk it asks for nothing else; the window paints from the markup alone: no script
// stands before it, and the head holds nothing the browser must fetch or run first.
TEST(SingleFile, OpensFromDiskAskingForNothingAndPaintsBeforeAnyScript) {
    session->OpenProgram(kPage);
    const Json found = session->Evaluate(R"(
        return {
          requests: performance.getEntriesByType("resource").map(e => e.name)
                        .filter(name => !name.startsWith("data:")),
          before: [...document.scripts].filter(s => s.compareDocumentPosition(
              document.querySelector("main")) & Node.DOCUMENT_POSITION_FOLLOWING).length,
          blocking: document.head.querySelectorAll("script, link[rel=stylesheet]").length,
        };)");
    EXPECT_EQ(found["requests"], Json::array());
    EXPECT_EQ(found["before"], 0) << "a script before the window's markup";
    EXPECT_EQ(found["blocking"], 0) << "a script or style sheet to fetch in the head";
}

// ---- Starting in browsers that lack what this Chromium has ---------------------------------

// The site of a school's server, on the loopback for as long as it lives.
struct SiteServer {
    int port = webdriver::FreePort();
    webdriver::Process process{{"/usr/bin/python3",
                                "-m",
                                "http.server",
                                std::to_string(port),
                                "--bind",
                                "127.0.0.1",
                                "--directory",
                                VRENKODAL_WEB_SITE}};
    // localhost is a secure origin, as a school's https server is.
    std::string Address() const { return "http://localhost:" + std::to_string(port) + "/"; }
};

struct LoaderRow {
    const char* name;
    bool site;               // the site's page, which fetches the module, or the one file
    const char* taken_away;  // run before the page's own scripts
    const char* message;     // what the report box must say; empty when the program must start
};

constexpr LoaderRow kLoaderRows[] = {
    // Chromium 156 decodes base64 itself; older browsers take the script's own way.
    {"without_native_base64_still_starts", false, "delete Uint8Array.fromBase64", ""},
    // Chrome before about 115 compiles no module over 4 KB on the page's own thread.
    {"where_a_large_module_cannot_compile_at_once_still_starts",
     false,
     "const Sync = WebAssembly.Module;"
     "WebAssembly.Module = function (bytes) {"
     "  if (bytes.byteLength > 4096) throw new RangeError('disallowed on the main thread');"
     "  return new Sync(bytes); };",
     ""},
    // Safari before 16.4, Chrome before 80, Firefox before 113: the page's own inflater.
    {"file_without_decompression_stream_or_base64_inflates_it_itself",
     false,
     "delete window.DecompressionStream; delete Uint8Array.fromBase64",
     ""},
    {"site_without_decompression_stream_inflates_it_itself",
     true,
     "delete window.DecompressionStream; delete Uint8Array.fromBase64",
     ""},
    // Safari's Lockdown Mode, Edge's strict enhanced security.
    {"file_without_webassembly_says_so_in_the_report_box",
     false,
     "delete window.WebAssembly",
     "не може да изпълни програмата"},
    {"site_without_webassembly_says_so_in_the_report_box",
     true,
     "delete window.WebAssembly",
     "не може да изпълни програмата"},
    {"with_a_broken_module_says_it_could_not_load",
     false,
     "const write = WritableStreamDefaultWriter.prototype.write;"
     "WritableStreamDefaultWriter.prototype.write = function (bytes) {"
     "  return write.call(this, bytes.slice(0, 100)); };",
     "Програмата не можа да се зареди"},
};

void PrintTo(const LoaderRow& row, std::ostream* out) { *out << row.name; }

class LoaderTest : public testing::TestWithParam<LoaderRow> {};

// Either the task works or the report box says why, with no dialog in front of the window;
// where the program could not start, a press changes nothing.
TEST_P(LoaderTest, StartsOrSaysWhyInTheReportBox) {
    const LoaderRow& row = GetParam();
    std::optional<SiteServer> server;
    if (row.site) {
        ASSERT_TRUE(webdriver::Listening(server.emplace().port));
    }
    const std::string script =
        std::string("window.said = []; window.alert = m => said.push(m);") + row.taken_away;
    const Json added =
        session->DevTools("Page.addScriptToEvaluateOnNewDocument", {{"source", script}});
    session->SetWindowSize(1024, 768);
    session->Navigate("about:blank");
    session->Navigate(row.site ? server->Address() : kPage);
    constexpr const char* kReady = "performance.getEntriesByName('vrenkodal-ready').length > 0";
    const std::string said =
        "document.getElementById('Text1_0').value.indexOf(" + Json(row.message).dump() + ") >= 0";
    session->WaitFor(std::string(kReady) + " || " + (*row.message ? said : "false"));
    const Json outcome = session->Evaluate("return {ready: " + std::string(kReady) +
                                           ", said: window.said, report: " + said + "};");
    session->DevTools("Page.removeScriptToEvaluateOnNewDocument",
                      {{"identifier", added["identifier"]}});
    EXPECT_EQ(outcome["said"], Json::array()) << "a dialog";
    if (!*row.message) {
        ASSERT_TRUE(outcome["ready"].get<bool>());
        ShowAge("45", "mouse");
        EXPECT_EQ(Report(), "Въведени години: 45\nтип: Волски\n");
    } else {
        EXPECT_FALSE(outcome["ready"].get<bool>());
        ASSERT_TRUE(outcome["report"].get<bool>()) << Report();
        const std::string message = Report();
        EXPECT_EQ(session->Evaluate("return document.querySelector('[role=status]').textContent"),
                  message)
            << "a screen reader is not told";
        session->Tap("Command1_0");
        session->Tap("Command1_1");
        EXPECT_EQ(Report(), message);
        EXPECT_EQ(session->Evaluate("return window.said"), Json::array());
    }
}

INSTANTIATE_TEST_SUITE_P(Page, LoaderTest, testing::ValuesIn(kLoaderRows), [](const auto& info) {
    return std::string(info.param.name);
});

// With JavaScript turned off, by a school's policy or an add-on, the window is there, and a
// line under it says what the buttons need.
TEST(WithoutJavaScript, SaysSoUnderTheWindow) {
    session->SetWindowSize(1024, 768);
    session->Navigate("about:blank");
    session->DevTools("Emulation.setScriptExecutionDisabled", {{"value", true}});
    session->Navigate(kPage);
    const Json shown = session->DevTools(
        "Runtime.evaluate",
        {{"returnByValue", true},
         {"expression",
          "[...document.querySelectorAll('p')].filter(p => p.offsetHeight > 0)"
          ".map(p => p.textContent).join() + '|' + !!document.getElementById('Command1_0')"}});
    session->DevTools("Emulation.setScriptExecutionDisabled", {{"value", false}});
    const std::string text = shown["result"].value("value", "");
    EXPECT_NE(text.find("има нужда от JavaScript"), std::string::npos) << text;
    EXPECT_NE(text.find("|true"), std::string::npos) << "no window: " << text;
}

// What Chromium hands a screen reader: a polite live region, holding the answer after a press.
TEST(LiveRegion, HoldsTheReportAfterAPressForScreenReaders) {
    session->SetWindowSize(1024, 768);
    session->OpenProgram(kPage);
    const auto live = [] {
        const Json tree = session->DevTools("Accessibility.getFullAXTree");
        std::map<std::string, Json> nodes;
        for (const Json& node : tree["nodes"]) nodes[node["nodeId"].get<std::string>()] = node;
        std::string found;  // each live region: its role, politeness and the text it holds
        for (const auto& [id, node] : nodes) {
            for (const Json& property : node.value("properties", Json::array())) {
                if (property["name"] != "live" || !node.contains("childIds")) continue;
                std::string text;
                for (const Json& child : node["childIds"]) {
                    text += nodes[child.get<std::string>()]["name"].value("value", "");
                }
                found += node["role"].value("value", "") + " " +
                         property["value"].value("value", "") + " \"" + text + "\"; ";
            }
        }
        return found;
    };
    EXPECT_EQ(live(), "status polite \"\"; ");
    ShowAge("45", "mouse");
    EXPECT_EQ(live(), "status polite \"Въведени години: 45 тип: Волски\"; ");
}

// The report box shows its scroll bar even when its text fits, as on the other systems.
TEST(ReportBox, ShowsItsScrollBarWhenTheTextFits) {
    session->SetWindowSize(1024, 768);
    session->OpenProgram(kPage);
    ShowAge("45", "mouse");  // two short lines
    const Json box = session->Evaluate(R"(
        const e = document.getElementById('Text1_0');
        return {bar: e.offsetWidth - e.clientWidth, overflows: e.scrollHeight > e.clientHeight};)");
    EXPECT_FALSE(box["overflows"].get<bool>());
    EXPECT_GE(box["bar"].get<int>(), 12) << "no vertical scroll bar";
}

// ---- The site: installable from a school's server, and working after it is gone -----------

TEST(Site, InstallsAndOpensOfflineAfterOneVisit) {
    ASSERT_TRUE(std::filesystem::exists(VRENKODAL_WEB_SITE "/index.html"));
    SiteServer server;
    ASSERT_TRUE(webdriver::Listening(server.port));
    const std::string site = server.Address();
    session->SetWindowSize(1024, 768);
    session->OpenProgram(site);
    session->ExecuteAsync("navigator.serviceWorker.ready.then(() => arguments[0]())");
    const Json errors = session->DevTools("Page.getInstallabilityErrors");
    EXPECT_EQ(errors["installabilityErrors"], Json::array()) << errors.dump(2);
    const Json manifest = session->DevTools("Page.getAppManifest");
    EXPECT_EQ(manifest["errors"], Json::array()) << manifest.dump(2);

    server.process.End();  // and waited for
    session->OpenProgram(site);
    EXPECT_EQ(session->Evaluate("return document.querySelector('link[rel=manifest]') != null"),
              true);
    ShowAge("45", "mouse");
    EXPECT_EQ(Report(), "Въведени години: 45\nтип: Волски\n");
}

}  // namespace

int main(int argc, char** argv) {
    return webdriver::RunTestsInBrowser(argc, argv, session, 1024, 768);
}
