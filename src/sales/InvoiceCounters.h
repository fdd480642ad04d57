#pragma once
// The sales screen's invoice counters: the last internal number (InvoiceID) and the last printed
// number (OrNo) issued, read from the stored invoices when the screen is loaded.
#include "platform/database/Database.h"
#include <cstdint>

struct InvoiceCounters {
    int64_t racunBroj = 0;   // RacunBroj: the next invoice gets racunBroj + 1
    int64_t racunOrNo = 0;   // RacunOrNo: the next invoice prints racunOrNo + 1
};

namespace InvoiceCounterSeed {
// RacunBroj is the largest InvoiceID by numeric value (so "10" beats "9"); RacunOrNo is the OrNo of
// that same row, found by the numeric value of its InvoiceID (so "041" is found as 41). A Null OrNo
// counts as 0. An empty table gives 0 and 0.
InvoiceCounters read(Database &db);
}
