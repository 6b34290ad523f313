// The vibration program's main sequence: the program's modules, the schema built, run
// until its window closes, and torn down.
#include <windows.h>

#include "components/visual/ProgramRun.h"
#include "examples/vibration/TClassVibrationForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    components::TProgramModules modules;
    return components::runSchema<vibration::TClassVibrationForm>();
}
