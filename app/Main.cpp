// The program's main sequence: process-wide set-up, the command-line check, the
// converter built, run until its window closes, and torn down.
#include <windows.h>

#include "app/ParamStr.h"
#include "app/TClassMainForm_250BB10.h"
#include "components/visual/ProgramRun.h"
#include "toolkit/text/WideText.h"
#include "Version.h"

namespace {

// What the "/ih" box tells: what the program computes, exactly as it computes it, what
// it accepts, and its version.
constexpr const char* informationText =
    "Перевод виброускорения из дБ в м/с2.\r\n"
    "\r\n"
    "Введённый уровень L (дБ) пересчитывается по формуле a = 0.000001 · exp(L · 0.1151292546) м/с2. "
    "Это приближённо 10^-6 · 10^(L/20): коэффициент ln 10 / 20 взят с десятью знаками, поэтому для "
    "120 дБ получается 0.999999994035725, а не 1.\r\n"
    "\r\n"
    "Уровень должен быть не меньше 0.0000001 дБ; на меньший или отрицательный программа отвечает "
    "«Введите число большее нуля!!!», а на уровень, для которого ускорение не вычислить (от 6166 дБ), "
    "— «Слишком большое число!!!». В обоих случаях, как и пока в поле уровня нет числа (поле очищено "
    "или число не дописано, например «-» или «1e»), результат не показывается.\r\n"
    "\r\n"
    "Дробную часть отделяют точкой; запятая тоже принимается и показывается точкой.\r\n"
    "\r\n"
    "Версия " CONVERTER_VERSION;
constexpr const char* informationCaption = "перевод виброускорения из  дБ в м/с2 ";

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    components::TProgramModules modules;
    if (app::paramStr(1) == L"/ih") {
        MessageBoxW(nullptr, toolkit::toWide(informationText).c_str(),
                    toolkit::toWide(informationCaption).c_str(), MB_OK);
        return 0;
    }
    return components::runSchema<app::TClassMainForm_250BB10>();
}
