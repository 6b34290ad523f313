// The drop-down list, chosen from with the keyboard as a user does.
#include <string>
#include <vector>

#include "components/visual/TZTComboBox.h"
#include "tests/components/visual/FormTest.h"
#include "tests/support/Sink.h"
#include "tests/support/Typing.h"
#include "toolkit/text/WideText.h"

using namespace components;
using namespace dataflow;

using ComboBox = testsupport::FormTest;

TEST_F(ComboBox, ArrowsAndLettersChooseAndEachChoiceIsReported) {
    testsupport::Sink chosen;
    {
        TZTComboBox list(form);
        list.place({10, 10, 160, 200}, toolkit::clSysWindow, fontOf("Tahoma", 9));
        list.items = {"СКЗ", "пиковое", "размах"};
        list.itemIndex = 1;
        list.onChange = makeLink<&testsupport::Sink::input>(chosen);
        list.init();
        const HWND box = list.control->handle();
        EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 3);
        wchar_t text[16] = {};
        SendMessageW(box, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(toolkit::fromWide(text), "СКЗ");
        TData value;
        list.value(value, 0);
        EXPECT_EQ(toString(value), "1");
        SetFocus(box);
        testsupport::pressKey(box, VK_DOWN);
        testsupport::pressKey(box, VK_UP);
        testsupport::pressKey(box, VK_UP);
        list.setItemIndex(-1);  // none chosen
        list.value(value, 0);
        EXPECT_TRUE(isNull(value));
        EXPECT_EQ(list.control->navigationKeys, 1u);  // Tab moves on; the arrows stay
    }
    EXPECT_EQ(chosen.texts(), (std::vector<std::string>{"2", "1", "0"}));
}

// A dropped list closed without a choice goes back to its former item and says nothing
// of it; Windows does so on Esc, as these messages show, and the list reports the item
// it shows again. The program's own choice is not reported.
TEST_F(ComboBox, AListClosedWithoutAChoiceReportsTheItemItShowsAgain) {
    testsupport::Sink chosen;
    {
        TZTComboBox list(form);
        list.place({10, 10, 160, 200}, toolkit::clSysWindow, fontOf("Tahoma", 9));
        list.items = {"ISO 1683", "СН 2.2.4", "ANSI S1.8"};
        list.onChange = makeLink<&testsupport::Sink::input>(chosen);
        list.init();
        const HWND box = list.control->handle();
        const auto notify = [&](WORD code) {
            SendMessageW(form->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), code),
                         reinterpret_cast<LPARAM>(box));
        };
        SetFocus(box);
        SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
        testsupport::pressKey(box, VK_DOWN);    // shown in the dropped list: reported
        SendMessageW(box, CB_SETCURSEL, 0, 0);  // Esc: back to the former item, unreported
        notify(CBN_SELENDCANCEL);
        notify(CBN_CLOSEUP);
        notify(CBN_CLOSEUP);  // told again, still the same item: once per change
        list.setItemIndex(2);
        notify(CBN_SELCHANGE);
        TData value;
        list.value(value, 0);
        EXPECT_EQ(toString(value), "2");
        SendMessageW(box, CB_SETCURSEL, 1, 0);  // changed unnoticed: found when the focus goes
        SetFocus(form->handle());
    }
    EXPECT_EQ(chosen.texts(), (std::vector<std::string>{"1", "0", "1"}));
}

// A mouse over a dropped list may show the item under it, as Wine's lists do, without
// any notification: the list reports whatever it shows.
TEST_F(ComboBox, TheItemUnderTheMouseOfADroppedListIsReportedWhenShown) {
    testsupport::Sink chosen;
    {
        TZTComboBox list(form);
        list.place({10, 10, 160, 200}, toolkit::clSysWindow, fontOf("Tahoma", 9));
        list.items = {"СКЗ", "пиковое", "размах"};
        list.onChange = makeLink<&testsupport::Sink::input>(chosen);
        list.init();
        const HWND box = list.control->handle();
        SetForegroundWindow(form->handle());
        SetFocus(box);
        SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(box, &info));
        RECT dropped;
        GetWindowRect(info.hwndList, &dropped);
        const auto itemHeight = static_cast<int>(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
        SetCursorPos(dropped.left + 10, dropped.top + 2 * itemHeight + itemHeight / 2);  // over "размах"
        for (int i = 0; i < 5; ++i) {
            Sleep(20);
            testsupport::pumpMessages();
        }
        const std::string face = list.control->getControlText();
        TData value;
        list.value(value, 0);
        EXPECT_EQ(list.items[static_cast<std::size_t>(value.intValue)], face);
        EXPECT_EQ(chosen.texts().empty() ? "0" : chosen.texts().back(), toString(value));
        SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
    }
}
