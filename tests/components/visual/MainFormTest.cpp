// The main form on a real window: caption, frame, placement, start-up and closing,
// and its position stores.
#include <string>
#include <vector>

#include "components/visual/TZTMainForm.h"
#include "dataflow/EventDispatch.h"
#include "dataflow/InitProcs.h"
#include "tests/support/Typing.h"
#include "tests/support/WindowTest.h"
#include "toolkit/settings/TIniFile.h"
#include "toolkit/text/WideText.h"

using namespace components;
using namespace dataflow;
using testsupport::WindowTest;

namespace {

// Counts its calls, and notes whether the watched window was visible at each.
struct Counter {
    std::vector<bool> visibleWhenFired;
    TControl* watched = nullptr;
    int count = 0;
    void input(TData&, std::uint16_t) {
        ++count;
        if (watched) visibleWhenFired.push_back(IsWindowVisible(watched->handle()) != FALSE);
    }
};

struct Answer {
    std::int32_t value = 0;
    void point(TData& data, std::uint16_t) { setInteger(data, value); }
    using DataPoints = dataflow::TDataPoints<&Answer::point>;
};

class MainForm : public WindowTest {
protected:
    void SetUp() override {
        static const bool initListMade = [] {  // the program's list of init procedures, kept
            addInitProc([] {}, nullptr);
            runInitProcs();
            return true;
        }();
        (void)initListMade;
        WindowTest::SetUp();
    }
    void TearDown() override {
        disableEvents();
        delete form;
        if (toolkit::applet) toolkit::applet->free();
        WindowTest::TearDown();
    }
    void make(const std::string& store = "") {
        form = new TZTMainForm(nullptr);
        form->setCaption("перевод виброускорения из  дБ в м/с2 ");
        form->setFrameStyle(TZTMainForm::frFixedWithMinimize);
        form->width = 300;
        form->height = 200;
        form->positionStore = store;
        form->placement = TZTMainForm::centreOnScreen;
    }
    TZTMainForm* form = nullptr;
};

}  // namespace

TEST_F(MainForm, CaptionAlsoNamesTheApplicationWindow) {
    make();
    form->init();
    EXPECT_TRUE(form->ownsApplication());
    EXPECT_EQ(form->control->getControlText(), "перевод виброускорения из  дБ в м/с2 ");
    EXPECT_EQ(testsupport::windowText(form->control->handle()), L"перевод виброускорения из  дБ в м/с2 ");
    EXPECT_EQ(toolkit::applet->getControlText(), "перевод виброускорения из  дБ в м/с2 ");
}

TEST_F(MainForm, FrameStylesSetTheirBits) {
    make();
    constexpr DWORD rows[10][2] = {{0, 0},           {0xC20000, 0},    {0xC70000, 0}, {0xC00000, 0x100},
                                   {0xC00000, 0x80}, {0xC40000, 0x80}, {0, 0x1},      {0x40000, 0x80},
                                   {0, 0x201},       {0x40000, 0x200}};
    for (std::uint8_t n = 0; n < 10; ++n) {
        form->control->setExStyle(0);  // the client edge of rows 8 and 9 lies outside the mask
        form->setFrameStyle(TZTMainForm::TFrameStyle(n));
        EXPECT_EQ(form->control->style() & 0xC70000, rows[n][0]) << int(n);
        EXPECT_EQ(form->control->exStyle() & 0x381, rows[n][1]) << int(n);
        EXPECT_NE(form->control->style() & WS_SYSMENU, 0u);  // kept: outside the mask
    }
    form->setFrameStyle(TZTMainForm::TFrameStyle(10));  // beyond the table: ignored
    EXPECT_EQ(form->control->exStyle() & 0x381, 0x200u);
}

TEST_F(MainForm, OpacityClientSizeAndStateAtTheFirstShow) {
    make();
    form->alphaBlend = 128;
    form->clientSizing = true;
    form->windowState = 2;
    form->init();
    RECT client;
    GetClientRect(form->control->handle(), &client);
    EXPECT_EQ(client.right, 300);  // width and height are the client's
    EXPECT_EQ(client.bottom, 200);
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(form->control->handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    enableEvents();
    runInitProcs();
    EXPECT_TRUE(IsZoomed(form->control->handle()));
    delete form;
    toolkit::applet->free();
    toolkit::applet = nullptr;
    make();
    form->windowState = 1;
    form->init();
    runInitProcs();
    EXPECT_TRUE(IsIconic(form->control->handle()));
}

TEST_F(MainForm, ABackgroundPictureTakesTheErase) {
    make();
    form->init();
    form->control->setColor(0x000000FF);
    freeObject(form->background);
    form->background = toolkit::TBitmap::newDIBBitmap(10, 10, toolkit::pf32bit);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP picture = CreateCompatibleBitmap(screen, 4, 4);
    const HGDIOBJ old = SelectObject(memory, picture);
    PatBlt(memory, 0, 0, 4, 4, WHITENESS);
    EXPECT_EQ(SendMessageW(form->control->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 1, 1), 0xFFFFFFu);  // not filled with the form's colour
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(MainForm, InitPlacesTheHiddenFormCentred) {
    make();
    form->init();
    EXPECT_FALSE(IsWindowVisible(form->control->handle()));
    EXPECT_EQ(form->control->getWidth(), 300);
    EXPECT_EQ(form->control->getLeft(), (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
    EXPECT_EQ(form->control->getTop(), (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
}

TEST_F(MainForm, OnCreateFiresOnceBeforeTheFormShows) {
    make();
    Counter created;
    form->onCreate = makeLink<&Counter::input>(created);
    form->init();
    created.watched = form->control;
    enableEvents();
    runInitProcs();
    runInitProcs();
    EXPECT_EQ(created.count, 1);
    EXPECT_EQ(created.visibleWhenFired, std::vector<bool>{false});
    EXPECT_TRUE(IsWindowVisible(form->control->handle()));
    EXPECT_TRUE(form->firstShowDone());
}

TEST_F(MainForm, CloseQueryRefusesAUsersClose) {
    make();
    Answer refuse{1};
    Counter closed, refused;
    form->closeQuery = makeDataLink<&Answer::point>(refuse);
    form->onClose = makeLink<&Counter::input>(closed);
    form->onCloseRefused = makeLink<&Counter::input>(refused);
    form->init();
    enableEvents();
    runInitProcs();
    const HWND window = form->control->handle();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(closed.count, 0);
    EXPECT_EQ(refused.count, 1);           // the schema hears of the refusal
    SendMessageW(window, WM_CLOSE, 0, 1);  // a parent's close is never refused
    EXPECT_EQ(closed.count, 1);
    EXPECT_EQ(fireEventProc, &noEventProc);  // events are off once the main form closes
}

TEST_F(MainForm, PositionsRoundTripThroughAnIniFile) {
    const std::string file = toolkit::programDirectory() + "conv.ini";
    DeleteFileW(toolkit::toWide(file).c_str());
    make("conv.ini\\Main");
    form->init();
    form->control->setBoundsRect(RECT{40, 50, 340, 250});
    SendMessageW(form->control->handle(), WM_CLOSE, 0, 1);
    EXPECT_EQ(GetPrivateProfileIntW(L"Main", L"Left", -1, toolkit::toWide(file).c_str()), 40u);
    EXPECT_EQ(GetPrivateProfileIntW(L"Main", L"Height", -1, toolkit::toWide(file).c_str()), 200u);
    delete form;
    form = nullptr;
    toolkit::applet->free();
    toolkit::applet = nullptr;

    make("conv.ini\\Main");
    form->init();
    enableEvents();
    runInitProcs();  // the first show loads the position
    EXPECT_EQ(form->control->getLeft(), 40);
    EXPECT_EQ(form->control->getTop(), 50);
    DeleteFileW(toolkit::toWide(file).c_str());
}

TEST_F(MainForm, PositionsRoundTripThroughTheRegistry) {
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ConverterTest");
    make("ConverterTest");
    form->init();
    form->control->setBoundsRect(RECT{60, 70, 360, 270});
    SendMessageW(form->control->handle(), WM_CLOSE, 0, 1);
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\ConverterTest", L"Top", RRF_RT_REG_DWORD, nullptr,
                           &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 70u);
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\ConverterTest", L"Height", RRF_RT_REG_DWORD, nullptr, &value,
                 &size);
    EXPECT_EQ(value, 200u);  // each value under its own name
    delete form;
    form = nullptr;
    toolkit::applet->free();
    toolkit::applet = nullptr;

    make("ConverterTest");
    form->init();
    enableEvents();
    runInitProcs();
    EXPECT_EQ(form->control->getLeft(), 60);
    EXPECT_EQ(form->control->getWidth(), 300);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ConverterTest");
}

// A stored position that leaves the caption bar off the work area (a monitor since
// removed, a drag past the edge) is moved the least distance that brings it in.
TEST_F(MainForm, AStoredPositionKeepsTheCaptionBarOnTheScreen) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG wide = work.right - work.left + 200;
    const struct {
        LONG left, top, width, expectedLeft, expectedTop;
    } rows[] = {
        {-2000, -500, 300, work.left, work.top},            // above and left of the screen
        {work.right - 100, 60, 300, work.right - 300, 60},  // its right part beyond the edge
        {40, work.bottom - 5, 300, 40, work.bottom},        // below: the caption bar's bottom at the edge
        {60, 70, 300, 60, 70},                              // on the screen: unchanged
        {work.left + 50, 70, wide, work.left, 70},          // wider than the screen: it covers it
    };
    for (const auto& row : rows) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ConverterTest", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        const DWORD values[] = {static_cast<DWORD>(row.left), static_cast<DWORD>(row.top)};
        RegSetValueExW(key, L"Left", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&values[0]), sizeof(DWORD));
        RegSetValueExW(key, L"Top", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&values[1]), sizeof(DWORD));
        RegCloseKey(key);
        make("ConverterTest");
        form->width = row.width;
        form->init();
        enableEvents();
        runInitProcs();
        RECT shown;
        GetWindowRect(form->control->handle(), &shown);
        POINT client{0, 0};
        ClientToScreen(form->control->handle(), &client);
        EXPECT_EQ(shown.left, row.expectedLeft) << row.left << "," << row.top;
        EXPECT_EQ(row.expectedTop == work.bottom ? client.y : shown.top, row.expectedTop)
            << row.left << "," << row.top;
        disableEvents();
        delete form;
        form = nullptr;
        toolkit::applet->free();
        toolkit::applet = nullptr;
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ConverterTest");
}

TEST_F(MainForm, AnEmptyStoreTouchesNothing) {
    const std::string file = toolkit::programDirectory() + "conv.ini";
    DeleteFileW(toolkit::toWide(file).c_str());
    make("");
    form->init();
    enableEvents();
    runInitProcs();
    SendMessageW(form->control->handle(), WM_CLOSE, 0, 1);
    EXPECT_EQ(GetFileAttributesW(toolkit::toWide(file).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainForm, ActivationAndResizeLinks) {
    make();
    Counter activated, deactivated, resized;
    form->onActivate = makeLink<&Counter::input>(activated);
    form->onDeactivate = makeLink<&Counter::input>(deactivated);
    form->onResize = makeLink<&Counter::input>(resized);
    // The width may only grow by 10 at a time: the link answers the allowed change.
    struct Limit {
        void point(TData& data, std::uint16_t) {
            if (data.dataType == dataInt && data.intValue > 10) data.intValue = 10;
        }
        using DataPoints = dataflow::TDataPoints<&Limit::point>;
    } limit;
    form->resizeWidth = makeDataLink<&Limit::point>(limit);
    form->init();
    enableEvents();
    runInitProcs();  // the first show's size message brings no new size
    testsupport::pumpMessages();
    EXPECT_EQ(resized.count, 0);
    const int activations = activated.count, deactivations = deactivated.count;
    // The default handling may really activate the window, which reports once more.
    SendMessageW(form->control->handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_GE(activated.count, activations + 1);
    EXPECT_EQ(deactivated.count, deactivations);
    SendMessageW(form->control->handle(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);  // minimised
    EXPECT_EQ(deactivated.count, deactivations + 1);
    form->control->setWidth(400);
    EXPECT_EQ(form->control->getWidth(), 310);
    EXPECT_EQ(resized.count, 1);
    EXPECT_EQ(toolkit::applet->getWidth(), 310);  // the application window follows
    form->control->setHeight(260);                // resizeHeight is unlinked: no change to the proposal
    EXPECT_EQ(form->control->getHeight(), 260);
}

TEST_F(MainForm, AnEmptyStoreCreatesNoRegistryKey) {
    const auto softwareKeys = [] {
        HKEY software = nullptr;
        DWORD subkeys = 0;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &software) == ERROR_SUCCESS) {
            RegQueryInfoKeyW(software, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr);
            RegCloseKey(software);
        }
        return subkeys;
    };
    const DWORD before = softwareKeys();
    make("");
    form->init();
    enableEvents();
    runInitProcs();
    SendMessageW(form->control->handle(), WM_CLOSE, 0, 1);
    EXPECT_EQ(softwareKeys(), before);
}

TEST_F(MainForm, AFormShownBeforeInitKeepsItsPosition) {
    form = new TZTMainForm(nullptr);
    form->control->setPosition(40, 50);
    form->control->getWindowHandle();
    form->control->setVisible(true);  // the first show runs the position handler
    EXPECT_TRUE(form->firstShowDone());
    EXPECT_EQ(form->control->getLeft(), 40);
}
