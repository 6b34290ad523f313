// The list components: TZTWinList holds what every item-based component shares,
// TZTEWinList sets the whole text, and TZTMemo adapts them to a multi-line edit box
// whose items are lines separated by "\r\n".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "components/visual/TZTWin.h"
#include "toolkit/objects/TStrList.h"

namespace components {

class TZTWinList : public TZTWin {
public:
    using TZTWin::TZTWin;

    bool addAtTop = false;
    bool selectAdded = false;
    TDataLink textSource;
    TDataLink itemValue;
    TEventLink onChange;

    void doAdd(TData& data, std::uint16_t index);     // input method
    void doClear(TData& data, std::uint16_t index);   // input method
    void memoText(TData& data, std::uint16_t index);  // data point
    using DataPoints = dataflow::TDataPoints<&TZTWinList::memoText>;

protected:
    virtual void collectItems(toolkit::TStrList& items);
    virtual void setAllText(std::string_view text) = 0;
    virtual void beginRefill();
    virtual void endRefill();
    virtual std::int32_t addItem(std::string_view s) = 0;
    virtual std::int32_t insertFirst(std::string_view s);  // -1: not supported
    virtual void selectItem(std::int32_t index) = 0;
    virtual void replaceItem(const TData& indexData, const TData& value) = 0;
};

class TZTEWinList : public TZTWinList {
public:
    using TZTWinList::TZTWinList;

protected:
    void setAllText(std::string_view text) override;
};

class TZTMemo : public TZTEWinList {
public:
    using TZTEWinList::TZTEWinList;

    enum TScrollBars : std::uint8_t { sbNone, sbHorizontal, sbVertical, sbBoth };
    TScrollBars scrollBars = sbNone;
    bool editable = false;
    std::string initialText;

    void init() override;
    void replaceLine(const TData& indexData, const TData& value) { replaceItem(indexData, value); }

protected:
    std::int32_t addItem(std::string_view s) override;
    void selectItem(std::int32_t index) override;
    void replaceItem(const TData& indexData, const TData& value) override;

private:
    void append(std::string_view s);
};

}  // namespace components
