#pragma once
// The sales screen's invoice counters: the last internal number (InvoiceID) and the last printed
// number (OrNo) issued, read from the stored invoices when the screen is loaded.
#include "platform/database/Database.h"
#include <cstdint>
#include <optional>

struct InvoiceCounters {
    int64_t racunBroj = 0;   // RacunBroj: the next invoice gets racunBroj + 1
    int64_t racunOrNo = 0;   // RacunOrNo: the next invoice prints racunOrNo + 1
};

// The stored invoice whose InvoiceID has the largest numeric value (of equals, the last stored).
struct LastStoredInvoice {
    int64_t invoiceID = 0;   // the numeric value of its InvoiceID
    Value orNo;              // Val(OrNo): a whole or decimal number, or Null
};

namespace InvoiceCounterSeed {
// RacunBroj is the largest InvoiceID by numeric value (so "10" beats "9"); RacunOrNo is the OrNo of
// that same row (so "041" is found as 41). A Null OrNo counts as 0. An empty table gives 0 and 0.
InvoiceCounters read(Database &db);
// Answered from the index on the numeric value of InvoiceID, whatever the number of invoices. The
// value is the leading whole number of the text ("041" is 41, "12abc" 12, "abc" 0); an InvoiceID
// that is Null holds no number. Raises 6 when the largest number has no successor.
std::optional<LastStoredInvoice> lastStored(Database &db);
}
