// The completion step of a card download: everything the user is told about
// a transfer, from its result, and the deletion from the card that the user
// may ask for.
#pragma once
#include <windows.h>

#include "download/engine/transfer.h"

// Tells the user what the transfer did and, when `bDelete` is set and some
// copies landed, offers to delete their card files; only those still as they
// were when their copies were read back go.
void ReportDnLoad(HWND hOwner, const TransferResult& result, int bDelete);
