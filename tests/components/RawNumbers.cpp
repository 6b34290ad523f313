// Properties that take a named value of their own type refuse a raw number. The tests
// build each case on its own and look for the compiler's refusal; case 0 holds named
// values, which must build. The windowed cases build with the Windows compiler only.
#include "components/logic/TZTIf_else.h"
#include "components/logic/TZTMathParse.h"
#ifdef _WIN32
#include "components/visual/TZTEdit.h"
#include "components/visual/TZTMemo.h"
#endif

using namespace components;

void configure(TZTMathParse& formula, TZTIf_else& check) {
#if NUMBER_CASE == 0
    formula.resultType = TZTMathParse::rtReal;
    formula.setAngleMode(TZTMathParse::amDegrees);
    check.compareType = ctGreater;
#elif NUMBER_CASE == 1
    formula.resultType = 1;
#elif NUMBER_CASE == 2
    formula.setAngleMode(1);
#elif NUMBER_CASE == 3
    check.compareType = 2;
#endif
}

#ifdef _WIN32
void configure(TZTEdit& edit, TZTMemo& memo) {
#if NUMBER_CASE == 0
    edit.textAlign = taRight;
    edit.place({0, 0, 10, 10}, 0, TFontRec{}, TZTWin::esSunken, TZTWin::bsStatic);
    memo.scrollBars = TZTMemo::sbVertical;
#elif NUMBER_CASE == 4
    edit.textAlign = 1;
#elif NUMBER_CASE == 5
    edit.edgeStyle = 0;
#elif NUMBER_CASE == 6
    edit.place({0, 0, 10, 10}, 0, TFontRec{}, 0);
#elif NUMBER_CASE == 7
    memo.scrollBars = 2;
#endif
}
#endif
