// Links that must not compile. The tests build each case on its own and look for the
// compiler's refusal; case 0 holds right links, which must build.
#include "components/logic/TZTHub.h"
#include "components/logic/TZTIf_else.h"
#include "components/logic/TZTVisualStrings.h"

using namespace components;
using namespace dataflow;

void link(TZTIf_else& check, TZTHub& hub, TZTVisualStrings& text) {
#if LINK_CASE == 0
    check.data1 = makeDataLink<&TZTVisualStrings::text>(text);
    check.onTrue = makeLink<&TZTHub::trigger>(hub);
#elif LINK_CASE == 1  // a data input given an event link to an input method
    check.data1 = makeLink<&TZTHub::trigger>(hub);
#elif LINK_CASE == 2  // an event given a data link
    check.onTrue = makeDataLink<&TZTVisualStrings::text>(text);
#elif LINK_CASE == 3  // an event link made to a data point
    check.onTrue = makeLink<&TZTVisualStrings::text>(text);
#elif LINK_CASE == 4  // a data link made to an input method
    check.data1 = makeDataLink<&TZTHub::trigger>(hub);
#endif
}
