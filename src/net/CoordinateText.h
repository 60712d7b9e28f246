#pragma once

#include <QString>

// The decimal text of a coordinate held at single precision: the fewest
// digits that read back as the same float, never in exponent form
// (25.03f gives "25.03", not "25.0300007"; 1e-5f gives "0.00001"). NaN and
// the infinities give "0", the text of no position.
QString coordinateText(float degrees);
