// The gallery's main sequence: the program's modules, the gallery built, run until its
// window closes, and torn down.
#include <windows.h>

#include "components/visual/ProgramRun.h"
#include "examples/gallery/TClassGalleryForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    components::TProgramModules modules;
    return components::runSchema<gallery::TClassGalleryForm>();
}
