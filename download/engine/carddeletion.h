// The deletion of downloaded files from the card, after the user agreed to
// it. Between the read-back of the copies and the answer the card may have
// been swapped (recorders reuse the same names) or a file replaced or
// changed: each card file is looked at again right before the deletion, and
// only those that are still the file whose copy was read back are deleted,
// in one shell operation.
#pragma once
#include <windows.h>

#include <vector>

#include "download/engine/transfer.h"

struct DeletionOutcome {
  int deleted = 0;
  int kept = 0;  // changed or gone since the read-back, or left by the shell
};

DeletionOutcome DeleteVerifiedSources(HWND hOwner, const std::vector<LandedCopy>& landed);
