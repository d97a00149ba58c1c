// The beam most check tests start from, and the check that must give a result.
#pragma once

#include "beam/check.h"

#include <gtest/gtest.h>

namespace beamtest {

using beam::InputTexts;

// A beam in the traditional units, without self weight, section large enough to pass.
inline InputTexts plainBeam(const char *span)
{
    InputTexts in;
    in.Span = span;
    in.si = false;
    in.jijuucheck = false;
    in.inertia = "1000000";
    in.modulus = "100000";
    in.seigen2 = "0";
    return in;
}

inline beam::ResultTexts check(const InputTexts &in)
{
    beam::CheckOutcome out = beam::runCheck(in);
    EXPECT_TRUE(out.result) << out.error;
    return out.result ? *out.result : beam::ResultTexts{};
}

} // namespace beamtest
