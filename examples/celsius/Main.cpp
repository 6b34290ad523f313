#include <windows.h>

#include "TClassCelsiusForm.h"
#include "components/visual/ProgramRun.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    components::TProgramModules modules;
    return components::runSchema<TClassCelsiusForm>();
}
