#include "reports/frmSalesProducts.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>

using namespace ReportList;

namespace {

const char *const LineSelect =
    "SELECT SalesDetails.ProdCode, SalesDetails.ProdDescription, SalesDetails.Unit, SalesDetails.QtySold,"
    " SalesDetails.Amount FROM Invoices INNER JOIN SalesDetails ON Invoices.InvoiceID = SalesDetails.InvoiceID";
const char *const DateField = "Invoices.DateSold";

// A stored key value: the three are TEXT columns, holding a text, a blob or Null.
struct Field {
    ScanRow::Type type = ScanRow::Type::Null;
    QByteArrayView bytes;

    // The engine's order: Null, then numbers, then texts, then blobs; within a kind, plain bytes.
    static int rank(ScanRow::Type t)
    {
        switch (t) {
        case ScanRow::Type::Null: return 0;
        case ScanRow::Type::Integer:
        case ScanRow::Type::Real: return 1;
        case ScanRow::Type::Text: return 2;
        default: return 3;
        }
    }
    int compare(const Field &o) const
    {
        if (rank(type) != rank(o.type))
            return rank(type) - rank(o.type);
        const qsizetype n = std::min(bytes.size(), o.bytes.size());
        const int c = n ? std::memcmp(bytes.data(), o.bytes.data(), size_t(n)) : 0;
        if (c != 0)
            return c;
        return bytes.size() < o.bytes.size() ? -1 : bytes.size() > o.bytes.size() ? 1 : 0;
    }
    Value value() const { return type == ScanRow::Type::Null ? Value() : Value::text(QString::fromUtf8(bytes)); }
};

struct Sums {
    SqlSum quantity;
    SqlSum amount;
};

// A group's sum as the report's query gives it (sumOf: every value added as a real): Null for
// nothing but Nulls, and past 64 bits a number the money type cannot hold rather than a failure.
Value reportSum(const SqlSum &sum)
{
    try {
        const Value v = sum.result();
        return v.kind() == Value::Kind::Integer ? Value::real(double(v.toInt64())) : v;
    } catch (const AppError &) {
        return Value::real(std::numeric_limits<double>::infinity());
    }
}

// Groups keyed by a few fields, with their sums: the keys kept together in one buffer, found
// through an open-addressing table. A long period's lines come in no useful order, so each line's
// slot, group and key are far apart in memory: lines are taken in batches, and the memory a batch
// needs is asked for before any of it is used, so that the waits overlap.
class Groups {
public:
    static constexpr int Width = 3;
    using Key = std::array<Field, Width>;

    // Adds a line's sums to its key's group (made when new); the batch is added by flush().
    void add(const Key &key, const Sums &sums)
    {
        const auto offset = uint32_t(m_batchKeys.size());
        for (const Field &f : key)
            encode(m_batchKeys, f);
        const auto length = uint32_t(m_batchKeys.size() - offset);
        m_batch.push_back({qHash(QByteArrayView(m_batchKeys.data() + offset, length)), offset, length, sums});
        if (m_batch.size() == BatchSize)
            flush();
    }
    void flush()
    {
        reserve(m_groups.size() + m_batch.size());
        const size_t mask = m_slots.size() - 1;
        for (const Pending &p : m_batch)
            __builtin_prefetch(&m_slots[p.hash & mask]);
        for (const Pending &p : m_batch) {
            const Slot &slot = m_slots[p.hash & mask];
            if (slot.tag == tagOf(p.hash)) {
                __builtin_prefetch(&m_groups[slot.group]);
                __builtin_prefetch(m_keys.data() + slot.offset);
            }
        }
        for (const Pending &p : m_batch) {
            Sums &sums = m_groups[place(p.hash, QByteArrayView(m_batchKeys.data() + p.offset, p.length))].sums;
            sums.quantity.merge(p.sums.quantity);
            sums.amount.merge(p.sums.amount);
        }
        m_batch.clear();
        m_batchKeys.clear();
    }

    size_t size() const { return m_groups.size(); }
    Sums &sums(size_t group) { return m_groups[group].sums; }
    // The key of a group, viewing this buffer (valid while no group is added).
    Key key(size_t group) const { return keyAt(m_groups[group].offset); }
    uint32_t keyOffset(size_t group) const { return m_groups[group].offset; }
    // Asks for a group's key and sums ahead of their use.
    void prefetch(size_t group, uint32_t keyOffset) const
    {
        __builtin_prefetch(&m_groups[group].sums);
        __builtin_prefetch(m_keys.data() + keyOffset);
    }
    Key keyAt(uint32_t offset) const
    {
        Key key;
        const char *p = m_keys.data() + offset;
        for (Field &f : key) {
            uint32_t n = 0;
            f.type = ScanRow::Type(*p++);
            std::memcpy(&n, p, sizeof n);
            p += sizeof n;
            f.bytes = QByteArrayView(p, n);
            p += n;
        }
        return key;
    }

private:
    static constexpr size_t BatchSize = 64;
    struct Slot {
        uint32_t tag = 0;   // a part of the hash, never 0; 0 marks a free slot
        uint32_t group = 0;
        uint32_t offset = 0;   // the group's key in m_keys
        uint32_t length = 0;
    };
    struct Group {
        size_t hash;
        uint32_t offset;
        Sums sums;
    };
    struct Pending {
        size_t hash;
        uint32_t offset;   // its key in m_batchKeys
        uint32_t length;
        Sums sums;
    };
    static uint32_t tagOf(size_t hash) { return uint32_t(hash >> 32) | 1u; }
    static void encode(std::string &to, const Field &f)
    {
        to += char(f.type);
        const auto n = uint32_t(f.bytes.size());
        to.append(reinterpret_cast<const char *>(&n), sizeof n);
        to.append(f.bytes.data(), size_t(f.bytes.size()));
    }
    // The group of a key, made when new; the table has room for it.
    size_t place(size_t hash, QByteArrayView key)
    {
        const uint32_t tag = tagOf(hash);
        const size_t mask = m_slots.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            Slot &slot = m_slots[at];
            if (slot.tag == 0) {
                if (m_keys.size() + size_t(key.size()) > UINT32_MAX)
                    throw AppError(ErrorNo::GeneralDatabaseError, QStringLiteral("out of memory"));
                slot = {tag, uint32_t(m_groups.size()), uint32_t(m_keys.size()), uint32_t(key.size())};
                m_groups.push_back({hash, slot.offset, {}});
                m_keys.append(key.data(), size_t(key.size()));
                return slot.group;
            }
            if (slot.tag == tag && slot.length == size_t(key.size())
                && std::memcmp(m_keys.data() + slot.offset, key.data(), slot.length) == 0)
                return slot.group;
        }
    }
    // Room for `groups` groups with the table at most half full.
    void reserve(size_t groups)
    {
        if (groups * 2 <= m_slots.size())
            return;
        size_t size = std::max<size_t>(1024, m_slots.size());
        while (groups * 2 > size)
            size *= 2;
        std::vector<Slot> table(size);
        const size_t mask = size - 1;
        for (const Slot &old : m_slots) {
            if (old.tag == 0)
                continue;
            size_t at = m_groups[old.group].hash & mask;
            while (table[at].tag != 0)
                at = (at + 1) & mask;
            table[at] = old;
        }
        m_slots = std::move(table);
    }

    std::vector<Slot> m_slots;
    std::vector<Group> m_groups;
    std::string m_keys;
    std::vector<Pending> m_batch;
    std::string m_batchKeys;
};

}  // namespace

Rows frmSalesProducts::productTotals(Database &db, const Selection &selection)
{
    ReportDefinition lines;
    lines.select = QString::fromLatin1(LineSelect);
    lines.dateField = QString::fromLatin1(DateField);
    const Selection::Condition query = reportQuery(lines, selection);

    // First the lines by their exact code, description and unit: a hash, so no line is sorted.
    Groups exact;
    db.scan(query.sql, query.params, [&](const ScanRow &line) {
        Groups::Key key;
        for (int c = 0; c < Groups::Width; ++c) {
            const ScanRow::Type type = line.type(c);
            key[size_t(c)] = {type, line.bytes(c, type)};
        }
        Sums sums;
        line.addTo(3, sums.quantity);
        line.addTo(4, sums.amount);
        exact.add(key, sums);
    });
    exact.flush();

    // Then the far fewer totals in the report's order, on the folded code first: spellings that
    // differ only in letter case come side by side and make one row, shown by the smallest of
    // its spellings (Null when it has none).
    const size_t count = exact.size();
    std::vector<Field> foldedCode(count);
    std::vector<QByteArray> foldings;   // the folded codes that differ from the stored ones
    struct Order {
        int rank;
        uint64_t first;    // bytes 0-7 and 8-15 of the folded code, as big-endian numbers
        uint64_t second;
        uint32_t group;
        uint32_t key;      // where its key is, read in order without a look at the group
        bool sameStart(const Order &o) const { return rank == o.rank && first == o.first && second == o.second; }
    };
    const auto bigEndian = [](QByteArrayView bytes, qsizetype from) {
        uint64_t v = 0;
        for (qsizetype i = from; i < from + 8; ++i)
            v = (v << 8) | (i < bytes.size() ? uint8_t(bytes[i]) : 0u);
        return v;
    };
    std::vector<Order> order;
    order.reserve(count);
    for (size_t g = 0; g < count; ++g) {
        Field code = exact.key(g)[0];
        if (code.type == ScanRow::Type::Text) {
            QByteArray folding = caseFoldedUtf8(code.bytes);
            if (folding != code.bytes) {
                foldings.push_back(std::move(folding));
                code.bytes = foldings.back();   // the bytes stay where they are when the list grows
            }
        }
        foldedCode[g] = code;
        order.push_back({Field::rank(code.type), bigEndian(code.bytes, 0), bigEndian(code.bytes, 8), uint32_t(g),
                         exact.keyOffset(g)});
    }
    // Where the leading bytes are equal, the whole keys decide.
    const auto compareKeys = [&](size_t a, size_t b) {
        if (const int c = foldedCode[a].compare(foldedCode[b]))
            return c;
        const Groups::Key ka = exact.key(a), kb = exact.key(b);
        if (const int c = ka[1].compare(kb[1]))
            return c;
        return ka[2].compare(kb[2]);
    };
    std::sort(order.begin(), order.end(), [&](const Order &a, const Order &b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.first != b.first)
            return a.first < b.first;
        if (a.second != b.second)
            return a.second < b.second;
        return compareKeys(a.group, b.group) < 0;
    });

    auto names = std::make_shared<const QStringList>(QStringList{QStringLiteral("ProdCode"), QStringLiteral("ProdDescription"),
                                                                 QStringLiteral("Unit"), QStringLiteral("SumOfQtySold"),
                                                                 QStringLiteral("SumOfAmount")});
    Rows rows;
    rows.reserve(count);
    // Most lines share their unit: its text is made once and shared.
    Field lastUnit;
    Value unitValue;
    constexpr size_t Ahead = 8;   // the totals lie in no useful order in memory
    for (size_t i = 0; i < std::min(Ahead, order.size()); ++i)
        exact.prefetch(order[i].group, order[i].key);
    for (size_t i = 0; i < order.size();) {
        if (i + Ahead < order.size())
            exact.prefetch(order[i + Ahead].group, order[i + Ahead].key);
        const Order &head = order[i];
        const size_t first = head.group;
        const Groups::Key key = exact.keyAt(head.key);
        Field shown = key[0];
        Sums sums = exact.sums(first);
        for (++i; i < order.size() && head.sameStart(order[i]) && compareKeys(first, order[i].group) == 0; ++i) {
            const size_t g = order[i].group;
            const Field code = exact.keyAt(order[i].key)[0];
            if (shown.type == ScanRow::Type::Null || (code.type != ScanRow::Type::Null && code.compare(shown) < 0))
                shown = code;
            sums.quantity.merge(exact.sums(g).quantity);
            sums.amount.merge(exact.sums(g).amount);
        }
        if (rows.empty() || key[2].type != lastUnit.type || key[2].bytes != lastUnit.bytes) {
            lastUnit = key[2];
            unitValue = lastUnit.value();
        }
        std::vector<Value> values;
        values.reserve(5);
        values.push_back(shown.value());
        values.push_back(key[1].value());
        values.push_back(unitValue);
        values.push_back(reportSum(sums.quantity));
        values.push_back(reportSum(sums.amount));
        rows.emplace_back(names, std::move(values));
    }
    return rows;
}

ReportDefinition frmSalesProducts::salesByProductsReport()
{
    ReportDefinition d;
    d.title = QStringLiteral("Sale by Products");
    d.select = QStringLiteral(
        "SELECT Min(SalesDetails.ProdCode COLLATE BINARY) AS ProdCode, SalesDetails.ProdDescription AS ProdDescription,"
        " SalesDetails.Unit AS Unit, %1 AS SumOfQtySold, %2 AS SumOfAmount"
        " FROM Invoices INNER JOIN SalesDetails ON Invoices.InvoiceID = SalesDetails.InvoiceID")
        .arg(sumOf(QStringLiteral("SalesDetails.QtySold")), sumOf(QStringLiteral("SalesDetails.Amount")));
    d.dateField = QString::fromLatin1(DateField);
    // One row per code, description and unit: a product renamed in the period shows twice. Rows by
    // product code, so that the same selection always lists the same way. Codes differing only in
    // letter case are one product, shown by the first of its spellings in byte order. The query
    // states the rows; productTotals gives the same ones without sorting a period's many lines.
    d.tail = QStringLiteral(" GROUP BY CaseFold(SalesDetails.ProdCode), SalesDetails.ProdDescription, SalesDetails.Unit"
                            " ORDER BY CaseFold(SalesDetails.ProdCode), SalesDetails.ProdDescription, SalesDetails.Unit");
    d.columns = {
        {QStringLiteral("ProductID"), QStringLiteral("ProdCode"), 1400, Align::Left, Kind::Code},
        {QStringLiteral("ProductName"), QStringLiteral("ProdDescription"), 5200, Align::Left, Kind::Name},
        {QStringLiteral("Unit"), QStringLiteral("Unit"), 800},
        {QStringLiteral("Quantity"), QStringLiteral("SumOfQtySold"), 1200, Align::Right, Kind::Quantity},
        {QStringLiteral("Amount"), QStringLiteral("SumOfAmount"), 1300, Align::Right, Kind::Money, true},
    };
    d.records = productTotals;
    d.layout.titleLines = {QStringLiteral("Sale by Products")};
    d.layout.headerLines = {QStringLiteral("Rb Product Name          Unit Qua Amount")};
    d.layout.rowLines = {{
        PrintField::rowNumber(3, Align::Left),
        PrintField::cell(QStringLiteral("ProdDescription"), 24, Align::Left),
        PrintField::cell(QStringLiteral("Unit"), 3, Align::Right),
        PrintField::cell(QStringLiteral("SumOfQtySold"), 3, Align::Right),
        PrintField::cell(QStringLiteral("SumOfAmount"), 7, Align::Right),
    }};
    d.layout.totalLines = {
        {PrintField::total(QStringLiteral("SumOfAmount"), 40, Align::Right, QStringLiteral("TOTAL : "))}};
    return d;
}

frmSalesProducts::frmSalesProducts()
    : ReportListWindow(QStringLiteral("frmSalesProducts"), QStringLiteral("Sale by Products"),
                       salesByProductsReport(), Look{})
{
}

void openSalesByProducts()
{
    ui::showModal(ui::formInstance<frmSalesProducts>());
}
