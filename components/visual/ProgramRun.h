// The start-up and run of a program built from components, in the order it must go:
//
//   int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
//       components::TProgramModules modules;  // before anything else, gone after all
//       return components::runSchema<MySchema>();
//   }
//
// A schema is a class whose constructor creates, configures and links the components
// and whose member mainForm is its main form.
#pragma once

#include <windows.h>

#include <memory>

#include "components/visual/TZTHintManager.h"
#include "components/visual/TZTMainForm.h"
#include "dataflow/EventDispatch.h"
#include "toolkit/objects/TStrList.h"
#include "toolkit/window/Application.h"

namespace components {

// What every program sets up first and takes down last: the common controls, the global
// hint manager, the list of the program's forms, the private "inner message", and the
// debug message's box.
class TProgramModules {
public:
    TProgramModules();
    ~TProgramModules();
    TProgramModules(const TProgramModules&) = delete;
    TProgramModules& operator=(const TProgramModules&) = delete;

private:
    std::unique_ptr<TZTHintManager> hintManager_;
};

// The forms list and the inner message, while the modules are there.
extern toolkit::TStrListEx* formsList;
extern UINT innerMessage;

// The end of start-up, once the schema exists: the application window takes the main
// form's visibility, events are switched on, and the initialisation procedures run (the
// main form's fires onCreate and shows it).
void startMainForm(TZTMainForm& mainForm);

// Builds the schema, starts it, runs the message loop until the main window closes and
// destroys the schema again, its components in the reverse order of creation. The
// program's exit code.
template <class Schema>
int runSchema() {
    auto schema = std::make_unique<Schema>();
    startMainForm(*schema->mainForm);
    toolkit::run(toolkit::applet);
    dataflow::disableEvents();
    schema.reset();
    return 0;
}

}  // namespace components
