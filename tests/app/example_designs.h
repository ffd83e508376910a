// The example designs of examples/, each entered through the input dialogs of a new design
// as an engineer enters it; the grillage run and the save are the caller's.
#pragma once

#include <functional>
#include <vector>

namespace examples {

// A plate girder bridge (鈑桁) of three continuous spans, 30 + 40 + 30 m, five girders on
// supports skewed at 70 degrees.
void EnterPlateThreeSpanSkew();
// A two-box girder bridge (箱桁) of two continuous 45 m spans.
void EnterTwoBoxTwoSpan();
// A single box (箱桁(1BOX)) of one 50 m span.
void EnterSingleBoxOneSpan();
// A plate girder bridge of two continuous 40 m spans whose girders deepen towards the pier.
void EnterPlateTwoSpanHaunch();

struct Example {
    const char* file;       // its name in examples/
    std::function<void()> enter;
};
const std::vector<Example>& All();

}
