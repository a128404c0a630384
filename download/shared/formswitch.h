// The result with which a download confirmation form asks its export to
// show the other form (after the method was changed under "change").
#pragma once

constexpr int kFormSwitch = 1038;
