// A push button: a click on it, Space or Enter while it has the focus, is reported.
#pragma once

#include <string>

#include "components/visual/TZTWin.h"

namespace components {

class TZTButton : public TZTWin {
public:
    explicit TZTButton(TControl* parentControl);

    std::string caption;
    TEventLink onClick;  // (null)

    void init() override;
};

}  // namespace components
