// Controls on real windows: creation, properties, text at the platform boundary,
// families and destruction.
#include <string>
#include <vector>

#include "tests/support/Typing.h"
#include "tests/support/WindowTest.h"
#include "toolkit/text/WideText.h"

using namespace toolkit;
using testsupport::pumpMessages;
using testsupport::WindowTest;

namespace {

std::wstring classNameOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace

using Controls = WindowTest;

TEST_F(Controls, WindowsAreCreatedLazilyAndStayHiddenUntilShown) {
    TControl* form = makeForm();
    EXPECT_EQ(form->handle(), nullptr);
    form->perform(WM_NULL, 0, 0);
    ASSERT_NE(form->handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(form->handle()));
    EXPECT_TRUE(form->showPending());
    EXPECT_EQ(GetPropW(form->handle(), L"SELF_"), form);
    form->createWindow();  // a pending show happens when the window is created again
    EXPECT_TRUE(IsWindowVisible(form->handle()));
    const HWND window = form->handle();
    form->free();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Controls, TwoEditsRegisterOneWrappedClass) {
    TControl* form = makeForm();
    TControl* first = TControl::newEditbox(form, 0);
    TControl* second = TControl::newEditbox(form, 0);
    form->getWindowHandle();
    ASSERT_NE(first->handle(), nullptr);
    ASSERT_NE(second->handle(), nullptr);
    EXPECT_EQ(classNameOf(first->handle()), L"obj_EDIT");
    EXPECT_EQ(GetClassLongPtrW(first->handle(), GCW_ATOM), GetClassLongPtrW(second->handle(), GCW_ATOM));
    EXPECT_EQ(classNameOf(form->handle()), L"obj_Form");
    // The standard edit procedure does the work: text typed into the focused box arrives.
    form->show();
    SetFocus(first->handle());
    SendMessageW(first->handle(), WM_CHAR, 'x', 0);
    EXPECT_EQ(first->getControlText(), "x");
}

TEST_F(Controls, ChildrenInheritColoursAndStartAtTheMargin) {
    TControl* form = makeForm();
    form->setColor(0x00123456);
    form->textColor = 0x00654321;
    form->margin = 5;
    form->clientLeft = 3;
    TControl* child = TControl::newLabel(form, "label");
    EXPECT_EQ(child->color(), 0x00123456u);
    EXPECT_EQ(child->textColor, 0x00654321u);
    const RECT r = child->getBoundsRect();
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.right - r.left, 64);
    EXPECT_EQ(r.bottom - r.top, 22);  // a label is 22 high
    TControl* plain = TControl::newControl(form, "STATIC", WS_CHILD, false, {});
    EXPECT_EQ(plain->getHeight(), 64);
    EXPECT_EQ(plain->parentForm(), form);
}

TEST_F(Controls, CyrillicCaptionsCrossTheBoundaryAsWindows1251) {
    ASSERT_NE(GetACP(), 1251u);
    const std::string caption = "перевод виброускорения из  дБ в м/с2 ";
    TControl* form = makeForm(nullptr, caption);
    form->getWindowHandle();
    EXPECT_EQ(testsupport::windowText(form->handle()), L"перевод виброускорения из  дБ в м/с2 ");
    EXPECT_EQ(form->getControlText(), caption);
    form->setControlText("Значение");
    EXPECT_EQ(form->getControlText(), "Значение");
    TControl* label = TControl::newLabel(form, "Введите");
    label->getWindowHandle();
    EXPECT_EQ(label->getControlText(), "Введите");
}

TEST_F(Controls, FreeingAFormFreesItsChildrenLastFirst) {
    std::string order;
    TControl* form = makeForm();
    for (char name : {'a', 'b', 'c'}) {
        TControl* child = TControl::newLabel(form, std::string(1, name));
        child->onDestroy = [&order, name](TObj*) { order += name; };
    }
    form->getWindowHandle();
    EXPECT_EQ(form->childCount(), 3);
    form->free();
    EXPECT_EQ(order, "cba");
}

TEST_F(Controls, AFreedChildLeavesItsParent) {
    TControl* form = makeForm();
    TControl* a = TControl::newEditbox(form, 0);
    TControl* b = TControl::newEditbox(form, 0);
    EXPECT_EQ(form->currentControl, a);  // the first tab stop
    a->free();
    EXPECT_EQ(form->childCount(), 1);
    EXPECT_EQ(form->child(0), b);
    EXPECT_EQ(form->currentControl, nullptr);
}

TEST_F(Controls, EditOptionsAndNavigationKeys) {
    TControl* form = makeForm();
    TControl* single = TControl::newEditbox(form, 0);
    TControl* memo = TControl::newEditbox(form, eoMultiline | eoReadonly);
    TControl* tabs = TControl::newEditbox(form, eoWantTab);
    EXPECT_EQ(single->navigationKeys, 13u);
    EXPECT_EQ(memo->navigationKeys, 1u);
    EXPECT_EQ(tabs->navigationKeys, 12u);
    EXPECT_EQ(single->getWidth(), 100);
    EXPECT_EQ(memo->getHeight(), 222);
    EXPECT_EQ(single->style() & (WS_HSCROLL | WS_VSCROLL), 0u);
    EXPECT_NE(single->style() & ES_AUTOHSCROLL, 0u);
    EXPECT_NE(memo->style() & ES_MULTILINE, 0u);
    EXPECT_NE(memo->style() & ES_READONLY, 0u);
    EXPECT_EQ(single->style() & WS_BORDER, 0u);  // the 3-D edge replaces the border
    EXPECT_NE(single->exStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_EQ(single->tabOrder(), 0);
    EXPECT_EQ(tabs->tabOrder(), 2);
}

TEST_F(Controls, EnabledAndVisibleFollowTheWindow) {
    TControl* form = makeForm();
    TControl* edit = TControl::newEditbox(form, 0);
    form->show();
    form->getWindowHandle();
    edit->setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(edit->handle()));
    EXPECT_NE(edit->style() & WS_DISABLED, 0u);
    edit->setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(edit->handle()));
    edit->setVisible(false);
    EXPECT_FALSE(IsWindowVisible(edit->handle()));
    edit->setVisible(true);
    EXPECT_TRUE(IsWindowVisible(edit->handle()));
}

TEST_F(Controls, MainWindowRules) {
    TControl* app = makeApplet();
    TControl* form = makeForm(app, "Main");
    TControl* second = makeForm(app, "Second");
    TControl* edit = TControl::newEditbox(form, 0);
    applet = app;
    EXPECT_TRUE(app->isMainWindow());
    EXPECT_TRUE(form->isMainWindow());
    EXPECT_FALSE(second->isMainWindow());
    EXPECT_FALSE(edit->isMainWindow());
    applet = nullptr;
}

TEST_F(Controls, IconsComeFromTheAppletOrTheMainIconResource) {
    TControl* app = makeApplet();
    applet = app;
    const HICON appIcon = app->getIcon();
    EXPECT_NE(appIcon, nullptr);  // "MAINICON" of the program
    TControl* form = makeForm(app, "Main");
    const HICON formIcon = form->getIcon();
    EXPECT_NE(formIcon, nullptr);
    EXPECT_NE(formIcon, appIcon);  // a copy of the applet's
    form->getWindowHandle();
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form->handle(), WM_GETICON, ICON_BIG, 0)), formIcon);
    TControl* none = makeForm(nullptr, "No icon");
    none->icon = reinterpret_cast<HICON>(-1);
    EXPECT_EQ(none->getIcon(), nullptr);
    none->free();
    applet = nullptr;
}

TEST_F(Controls, AlphaBlendMakesTheWindowLayered) {
    TControl* form = makeForm();
    form->setAlphaBlend(128);
    ASSERT_NE(form->handle(), nullptr);
    EXPECT_NE(GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    form->setAlphaBlend(255);
    EXPECT_EQ(GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(Controls, AFormFillsItsBackgroundWithItsColour) {
    TControl* form = makeForm();
    form->setColor(0x00336699);
    form->getWindowHandle();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 400);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(form->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(GetPixel(memory, 5, 5), 0x00336699u);
    form->setTransparent(true);  // a transparent form leaves the background alone
    RECT all{0, 0, 400, 400};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SendMessageW(form->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(GetPixel(memory, 5, 5), 0x00000000u);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(Controls, AFormPassesTheFocusToItsCurrentControl) {
    const auto [app, form] = makeApplication();
    TControl* first = TControl::newEditbox(form, 0);
    TControl* second = TControl::newEditbox(form, 0);
    form->show();
    form->getWindowHandle();
    form->currentControl = second;
    SendMessageW(form->handle(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), second->handle());
    EXPECT_EQ(app->currentControl, form);
    (void)first;
    applet = nullptr;
}

TEST_F(Controls, AFormOfTheAppletIsFreedWhenItsWindowIsDestroyed) {
    const auto [app, main] = makeApplication();
    TControl* other = makeForm(app, "Other");
    bool otherFreed = false;
    other->onDestroy = [&](TObj*) { otherFreed = true; };
    app->getWindowHandle();
    main->getWindowHandle();
    DestroyWindow(other->getWindowHandle());
    EXPECT_TRUE(otherFreed);
    EXPECT_EQ(app->childCount(), 1);
    applet = nullptr;
}

TEST_F(Controls, OwnedClassNamesProceduresColourMessagesMenusAndAccelerators) {
    TControl* form = makeForm();
    TCommandActions actions;
    actions.colorMessage = WM_APP + 5;
    TControl* own = TControl::newControl(form, "ConverterOwnClass", WS_CHILD, false, actions);
    own->classNameOwned = true;
    static int procedureCalls = 0;
    own->windowProcedure = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        ++procedureCalls;
        return globalWindowProcedure(window, message, wParam, lParam);
    };
    wchar_t name[64] = {};
    GetClassNameW(own->getWindowHandle(), name, 64);
    EXPECT_STREQ(name, L"ConverterOwnClass");  // registered without the prefix
    EXPECT_GT(procedureCalls, 0);
    static LPARAM colourSent = 0;
    own->attachProc(TMessageHandler{[](void*, TControl&, TMsg& msg) {
                                        if (msg.message == WM_APP + 5) colourSent = msg.lParam;
                                        return false;
                                    },
                                    nullptr});
    own->setColor(0x00123456);
    EXPECT_EQ(colourSent, 0x123456);
    colourSent = 0;
    own->setColor(0x00123456);  // sent even when the colour stays
    EXPECT_EQ(colourSent, 0x123456);

    own->menu = CreateMenu();
    ACCEL accel{FVIRTKEY, 'A', 1};
    own->accelTable = CreateAcceleratorTableW(&accel, 1);
    const HMENU menu = own->menu;
    const HACCEL table = own->accelTable;
    own->free();  // releases both
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 0);
    form->free();
    UnregisterClassW(L"ConverterOwnClass", GetModuleHandleW(nullptr));
}
