// Money, value conversions and Val(): the arithmetic every amount on a receipt goes through.
#include "platform/values/AppError.h"
#include "platform/values/Currency.h"
#include "platform/values/DateFormat.h"
#include "platform/values/StoredNumber.h"
#include "platform/values/Value.h"

#include <QtTest>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(Value)

namespace {

constexpr qint64 NoError = 0;

// The error number a call raises, or NoError.
template <typename F>
int errorOf(F &&call)
{
    try {
        call();
    } catch (const AppError &e) {
        return e.number();
    }
    return NoError;
}

NumberFormat fmt(const QString &decimal) { return NumberFormat::withDecimal(decimal.at(0)); }

Currency cur(const char *text) { return Currency::fromText(QString::fromLatin1(text), NumberFormat()); }

constexpr qint64 MaxRaw = std::numeric_limits<int64_t>::max();
constexpr qint64 MinRaw = std::numeric_limits<int64_t>::min();

} // namespace

class TestValues : public QObject {
    Q_OBJECT

private slots:
    void numberFormatPairsSeparators();

    void parse_data();
    void parse();
    void fromTextRaisesTypeMismatchOrOverflow_data();
    void fromTextRaisesTypeMismatchOrOverflow();
    void fromDouble_data();
    void fromDouble();

    void formats_data();
    void formats();
    void floorTo3AndRoundTo2_data();
    void floorTo3AndRoundTo2();

    void arithmetic_data();
    void arithmetic();
    void taxContainedInAmount_data();
    void taxContainedInAmount();
    void arithmeticOverflowAndDivisionByZero_data();
    void arithmeticOverflowAndDivisionByZero();

    void toInt16_data();
    void toInt16();
    void toBool_data();
    void toBool();
    void toText_data();
    void toText();
    void toCurrency_data();
    void toCurrency();
    void toDateAndTime();
    void storedDateAndTimeReadAsTheGeneralParserDoes_data();
    void storedDateAndTimeReadAsTheGeneralParserDoes();
    void textOrToleratesNull();

    void storedNumberCells_data();
    void storedNumberCells();
    void totalsOfShownCells_data();
    void totalsOfShownCells();

    void val_data();
    void val();
    void valOrdersNumericKeys();
    void valOverflow();

    void dateFormats();
    void errorsCarryNumberAndDescription();
};

void TestValues::numberFormatPairsSeparators()
{
    QCOMPARE(NumberFormat::withDecimal(QLatin1Char(',')).group, QLatin1Char('.'));
    QCOMPARE(NumberFormat::withDecimal(QLatin1Char('.')).group, QLatin1Char(','));
}

void TestValues::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("raw");

    QTest::newRow("comma decimal") << "2,5" << "," << true << qint64(25000);
    QTest::newRow("blanks around") << " 2,5 " << "," << true << qint64(25000);
    QTest::newRow("point on comma locale") << "2.5" << "," << true << qint64(25000);
    QTest::newRow("grouped comma locale") << "1.234,56" << "," << true << qint64(12345600);
    QTest::newRow("grouped point locale") << "1,234,567.5" << "." << true << qint64(12345675000);
    QTest::newRow("negative") << "-0.5" << "." << true << qint64(-5000);
    QTest::newRow("plus sign") << "+3" << "." << true << qint64(30000);
    QTest::newRow("no whole digits") << ".5" << "." << true << qint64(5000);
    QTest::newRow("trailing separator") << "5." << "." << true << qint64(50000);
    QTest::newRow("fifth decimal half to even down") << "1.00005" << "." << true << qint64(10000);
    QTest::newRow("fifth decimal half to even up") << "1.00015" << "." << true << qint64(10002);
    QTest::newRow("above half") << "1.000051" << "." << true << qint64(10001);
    QTest::newRow("negative half to even") << "-1.00015" << "." << true << qint64(-10002);
    QTest::newRow("fourteen whole digits") << "12345678901234.5678" << "." << true << qint64(123456789012345678);
    QTest::newRow("fifteen whole digits") << "123456789012345.5" << "." << true << qint64(1234567890123455000);
    QTest::newRow("negative zero") << "-0.00" << "," << true << qint64(0);
    QTest::newRow("leading zeros") << "007,50" << "," << true << qint64(75000);
    QTest::newRow("long run of leading zeros") << "-00000000000000000000000001.5" << "." << true << qint64(-15000);
    QTest::newRow("largest") << "922337203685477.5807" << "." << true << MaxRaw;
    QTest::newRow("smallest") << "-922337203685477.5808" << "." << true << MinRaw;

    QTest::newRow("two points") << "1.2.3" << "." << false << qint64(0);
    QTest::newRow("two points comma locale") << "1.2.3" << "," << false << qint64(0);
    QTest::newRow("exponent") << "1e3" << "." << false << qint64(0);
    QTest::newRow("letters") << "abc" << "," << false << qint64(0);
    QTest::newRow("trailing letters") << "12abc" << "." << false << qint64(0);
    QTest::newRow("empty") << "" << "," << false << qint64(0);
    QTest::newRow("blank") << "   " << "," << false << qint64(0);
    QTest::newRow("sign only") << "-" << "." << false << qint64(0);
    QTest::newRow("separator only") << "." << "." << false << qint64(0);
    // On a point locale "2,5" is not 25: a grouping separator must be followed by three digits.
    QTest::newRow("comma decimal on point locale") << " 2,5 " << "." << false << qint64(0);
    QTest::newRow("uneven groups") << "12,34,567.0" << "." << false << qint64(0);
    QTest::newRow("leading group separator") << ",123" << "." << false << qint64(0);
    QTest::newRow("group after decimal") << "1.234,5" << "." << false << qint64(0);
    QTest::newRow("blank inside") << "1 000" << "." << false << qint64(0);
    QTest::newRow("blank after sign") << "- 5" << "." << false << qint64(0);
    QTest::newRow("double sign") << "--1" << "." << false << qint64(0);
    QTest::newRow("trailing sign") << "1-" << "." << false << qint64(0);
    QTest::newRow("just beyond largest") << "922337203685477.5808" << "." << false << qint64(0);
    QTest::newRow("thirty digits") << "-123456789012345678901234567890.5" << "." << false << qint64(0);
}

void TestValues::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, decimal);
    QFETCH(bool, valid);
    QFETCH(qint64, raw);

    const std::optional<Currency> c = Currency::parse(text, fmt(decimal));
    QCOMPARE(c.has_value(), valid);
    if (valid)
        QCOMPARE(c->raw(), raw);
}

void TestValues::fromTextRaisesTypeMismatchOrOverflow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::newRow("letters") << "abc" << ErrorNo::TypeMismatch;
    QTest::newRow("empty") << "" << ErrorNo::TypeMismatch;
    QTest::newRow("two separators") << "1.2.3" << ErrorNo::TypeMismatch;
    QTest::newRow("too large") << "922337203685478" << ErrorNo::Overflow;
    QTest::newRow("too small") << "-1000000000000000000000" << ErrorNo::Overflow;
}

void TestValues::fromTextRaisesTypeMismatchOrOverflow()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    QCOMPARE(errorOf([&] { Currency::fromText(text, NumberFormat()); }), error);
}

void TestValues::fromDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<int>("error");
    QTest::newRow("four decimals kept") << 2.0005 << qint64(20005) << int(NoError);
    QTest::newRow("binary near-half kept as printed") << 1.005 << qint64(10050) << int(NoError);
    QTest::newRow("half to even down") << 0.00005 << qint64(0) << int(NoError);
    QTest::newRow("half to even up") << 0.00015 << qint64(2) << int(NoError);
    QTest::newRow("negative half to even") << -0.00015 << qint64(-2) << int(NoError);
    QTest::newRow("sum noise dropped") << 0.1 + 0.2 << qint64(3000) << int(NoError);
    QTest::newRow("whole number") << 12.0 << qint64(120000) << int(NoError);
    QTest::newRow("negative cents") << -3.47 << qint64(-34700) << int(NoError);
    QTest::newRow("largest in range") << 922337203685477.5 << qint64(9223372036854775000) << int(NoError);
    QTest::newRow("smallest in range") << -922337203685477.5 << qint64(-9223372036854775000) << int(NoError);
    QTest::newRow("tiny") << 1e-300 << qint64(0) << int(NoError);
    QTest::newRow("too large") << 1e20 << qint64(0) << ErrorNo::Overflow;
    QTest::newRow("not a number") << std::nan("") << qint64(0) << ErrorNo::Overflow;
    QTest::newRow("infinite") << -HUGE_VAL << qint64(0) << ErrorNo::Overflow;
}

void TestValues::fromDouble()
{
    QFETCH(double, value);
    QFETCH(qint64, raw);
    QFETCH(int, error);
    Currency c;
    QCOMPARE(errorOf([&] { c = Currency::fromDouble(value); }), error);
    if (error == NoError)
        QCOMPARE(c.raw(), raw);
    QCOMPARE(Currency::tryFromDouble(value).has_value(), error == NoError);
}

void TestValues::formats_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("twoDecimals");
    QTest::addColumn<QString>("threeDecimals");
    QTest::addColumn<QString>("grouped");
    QTest::addColumn<QString>("plain");

    QTest::newRow("half away from zero") << qint64(1250) << "." << "0.13" << "0.125" << "0.13" << "0.125";
    QTest::newRow("negative half away from zero") << qint64(-1250) << "." << "-0.13" << "-0.125" << "-0.13" << "-0.125";
    QTest::newRow("fourth decimal half") << qint64(20005) << "." << "2.00" << "2.001" << "2.00" << "2.0005";
    QTest::newRow("comma locale grouped") << qint64(12345675000) << "," << "1234567,50" << "1234567,500" << "1.234.567,50" << "1234567,5";
    QTest::newRow("negative grouped") << qint64(-12345670050) << "." << "-1234567.01" << "-1234567.005" << "-1,234,567.01" << "-1234567.005";
    QTest::newRow("whole") << qint64(30000) << "." << "3.00" << "3.000" << "3.00" << "3";
    QTest::newRow("zero") << qint64(0) << "," << "0,00" << "0,000" << "0,00" << "0";
    QTest::newRow("negative rounding to zero has no sign") << qint64(-4) << "." << "0.00" << "0.000" << "0.00" << "-0.0004";
    QTest::newRow("carry into thousands") << qint64(9999950) << "." << "1000.00" << "999.995" << "1,000.00" << "999.995";
    QTest::newRow("full group no leading separator") << qint64(1234560000) << "." << "123456.00" << "123456.000" << "123,456.00" << "123456";
    QTest::newRow("largest") << MaxRaw << "." << "922337203685477.58" << "922337203685477.581" << "922,337,203,685,477.58" << "922337203685477.5807";
    QTest::newRow("smallest") << MinRaw << "." << "-922337203685477.58" << "-922337203685477.581" << "-922,337,203,685,477.58" << "-922337203685477.5808";
}

void TestValues::formats()
{
    QFETCH(qint64, raw);
    QFETCH(QString, decimal);
    const Currency c = Currency::fromRaw(raw);
    const NumberFormat f = fmt(decimal);
    QTEST(c.format2(f), "twoDecimals");
    QTEST(c.format3(f), "threeDecimals");
    QTEST(c.formatGrouped(f), "grouped");
    QTEST(c.formatPlain(f), "plain");
    // What a window shows must read back as the value it shows.
    QCOMPARE(Currency::fromText(c.formatGrouped(f), f), c.roundTo2());
}

void TestValues::floorTo3AndRoundTo2_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("floor3");
    QTest::addColumn<QString>("round2");
    QTest::newRow("cut five decimals") << "1.23456" << "1.234" << "1.23";
    QTest::newRow("fourth decimal dropped") << "2.0005" << "2" << "2";
    QTest::newRow("negative goes down") << "-1.2345" << "-1.235" << "-1.23";
    QTest::newRow("negative tiny") << "-0.0001" << "-0.001" << "0";
    QTest::newRow("positive tiny") << "0.0009" << "0" << "0";
    QTest::newRow("already three decimals") << "-2.125" << "-2.125" << "-2.13";
    QTest::newRow("half cent up") << "2.005" << "2.005" << "2.01";
    QTest::newRow("below half cent") << "2.0049" << "2.004" << "2";
}

void TestValues::floorTo3AndRoundTo2()
{
    QFETCH(QString, value);
    const Currency c = Currency::fromText(value, NumberFormat());
    QTEST(c.floorTo3().formatPlain(NumberFormat()), "floor3");
    QTEST(c.roundTo2().formatPlain(NumberFormat()), "round2");
}

void TestValues::arithmetic_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("result");
    QTest::newRow("price times quantity") << "1.5" << "*" << "3.00" << "4.5";
    QTest::newRow("negative quantity") << "2.99" << "*" << "-1.5" << "-4.485";
    QTest::newRow("product half to even down") << "0.0001" << "*" << "0.5" << "0";
    QTest::newRow("product half to even up") << "0.0003" << "*" << "0.5" << "0.0002";
    QTest::newRow("negative product half to even") << "-0.0003" << "*" << "0.5" << "-0.0002";
    QTest::newRow("product above half") << "1.2345" << "*" << "1.2345" << "1.524";
    QTest::newRow("third") << "1" << "/" << "3" << "0.3333";
    QTest::newRow("two thirds") << "2" << "/" << "3" << "0.6667";
    QTest::newRow("quotient half to even") << "0.0001" << "/" << "2" << "0";
    QTest::newRow("quotient half to even up") << "0.0003" << "/" << "2" << "0.0002";
    QTest::newRow("price without tax") << "4.50" << "/" << "1.17" << "3.8462";
    QTest::newRow("negative divisor") << "1" << "/" << "-8" << "-0.125";
    QTest::newRow("sum") << "0.1" << "+" << "0.2" << "0.3";
    QTest::newRow("difference") << "12.50" << "-" << "1.82" << "10.68";
}

void TestValues::arithmetic()
{
    QFETCH(QString, a);
    QFETCH(QString, op);
    QFETCH(QString, b);
    const Currency x = Currency::fromText(a, NumberFormat());
    const Currency y = Currency::fromText(b, NumberFormat());
    const Currency r = op == "*" ? x * y : op == "/" ? x / y : op == "+" ? x + y : x - y;
    QTEST(r.formatPlain(NumberFormat()), "result");
}

void TestValues::taxContainedInAmount_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("tax");
    QTest::newRow("4.50 at 17%") << "4.50" << "17" << "0.65";
    QTest::newRow("12.50 at 17%") << "12.50" << "17" << "1.82";
    QTest::newRow("return at 17%") << "-12.50" << "17" << "-1.82";
    QTest::newRow("zero rate") << "10" << "0" << "0.00";
}

void TestValues::taxContainedInAmount()
{
    QFETCH(QString, amount);
    QFETCH(QString, rate);
    const Currency a = Currency::fromText(amount, NumberFormat());
    const Currency r = Currency::fromText(rate, NumberFormat());
    const Currency tax = a * r / (Currency::fromInt(100) + r);
    QTEST(tax.format2(NumberFormat()), "tax");
}

void TestValues::arithmeticOverflowAndDivisionByZero_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<QString>("op");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<int>("error");
    QTest::newRow("sum beyond largest") << MaxRaw << "+" << qint64(1) << ErrorNo::Overflow;
    QTest::newRow("difference beyond smallest") << MinRaw << "-" << qint64(1) << ErrorNo::Overflow;
    QTest::newRow("product") << MaxRaw << "*" << qint64(20000) << ErrorNo::Overflow;
    QTest::newRow("quantity cut to thousandths") << qint64(9223372036855000) << "*" << qint64(10000000) << ErrorNo::Overflow;
    QTest::newRow("quotient") << MinRaw << "/" << qint64(-10000) << ErrorNo::Overflow;
    QTest::newRow("small quotient") << MaxRaw << "/" << qint64(1) << ErrorNo::Overflow;
    QTest::newRow("division by zero") << qint64(10000) << "/" << qint64(0) << ErrorNo::DivisionByZero;
    QTest::newRow("largest product still fits") << MaxRaw << "*" << qint64(10000) << int(NoError);
    QTest::newRow("floor below smallest") << MinRaw << "floor" << qint64(0) << ErrorNo::Overflow;
    QTest::newRow("whole number beyond range") << qint64(0) << "int" << qint64(922337203685478) << ErrorNo::Overflow;
}

void TestValues::arithmeticOverflowAndDivisionByZero()
{
    QFETCH(qint64, a);
    QFETCH(QString, op);
    QFETCH(qint64, b);
    const Currency x = Currency::fromRaw(a);
    const Currency y = Currency::fromRaw(b);
    QTEST(errorOf([&] {
              if (op == "+") x + y;
              else if (op == "-") x - y;
              else if (op == "*") x * y;
              else if (op == "/") x / y;
              else if (op == "floor") x.floorTo3();
              else Currency::fromInt(b);
          }),
          "error");
}

void TestValues::toInt16_data()
{
    QTest::addColumn<Value>("value");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("error");
    const QDate someDay(2024, 3, 5);
    QTest::newRow("null") << Value::null() << "." << 0 << ErrorNo::InvalidUseOfNull;
    QTest::newRow("largest") << Value::integer(32767) << "." << 32767 << int(NoError);
    QTest::newRow("smallest") << Value::integer(-32768) << "." << -32768 << int(NoError);
    QTest::newRow("above range") << Value::integer(32768) << "." << 0 << ErrorNo::Overflow;
    QTest::newRow("below range") << Value::integer(-32769) << "." << 0 << ErrorNo::Overflow;
    QTest::newRow("text above range") << Value::text("32768") << "." << 0 << ErrorNo::Overflow;
    QTest::newRow("letters") << Value::text("abc") << "." << 0 << ErrorNo::TypeMismatch;
    QTest::newRow("empty text") << Value::text("") << "." << 0 << ErrorNo::TypeMismatch;
    QTest::newRow("date") << Value::date(someDay) << "." << 0 << ErrorNo::TypeMismatch;
    QTest::newRow("real half to even down") << Value::real(2.5) << "." << 2 << int(NoError);
    QTest::newRow("real half to even up") << Value::real(3.5) << "." << 4 << int(NoError);
    QTest::newRow("negative real half to even") << Value::real(-2.5) << "." << -2 << int(NoError);
    QTest::newRow("real above range") << Value::real(1e10) << "." << 0 << ErrorNo::Overflow;
    QTest::newRow("money half to even down") << Value::money(Currency::fromRaw(25000)) << "." << 2 << int(NoError);
    QTest::newRow("money half to even up") << Value::money(Currency::fromRaw(35000)) << "." << 4 << int(NoError);
    QTest::newRow("negative money") << Value::money(Currency::fromRaw(-35000)) << "." << -4 << int(NoError);
    QTest::newRow("text half to even") << Value::text("2.5") << "." << 2 << int(NoError);
    QTest::newRow("text in comma format") << Value::text(" 3,5 ") << "," << 4 << int(NoError);
    QTest::newRow("text just above half") << Value::text("2.50001") << "." << 3 << int(NoError);
    QTest::newRow("true is minus one") << Value::boolean(true) << "." << -1 << int(NoError);
}

void TestValues::toInt16()
{
    QFETCH(Value, value);
    QFETCH(QString, decimal);
    QFETCH(int, expected);
    QFETCH(int, error);
    int16_t result = 0;
    QCOMPARE(errorOf([&] { result = value.toInt16(fmt(decimal)); }), error);
    if (error == NoError)
        QCOMPARE(int(result), expected);
}

void TestValues::toBool_data()
{
    QTest::addColumn<Value>("value");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<int>("error");
    QTest::newRow("1") << Value::text("1") << true << int(NoError);
    QTest::newRow("-1") << Value::text("-1") << true << int(NoError);
    QTest::newRow("True") << Value::text("True") << true << int(NoError);
    QTest::newRow("true any case") << Value::text("tRUE") << true << int(NoError);
    QTest::newRow("0") << Value::text("0") << false << int(NoError);
    QTest::newRow("0.0") << Value::text("0.0") << false << int(NoError);
    QTest::newRow("False") << Value::text("False") << false << int(NoError);
    QTest::newRow("x") << Value::text("x") << false << ErrorNo::TypeMismatch;
    QTest::newRow("empty text") << Value::text("") << false << ErrorNo::TypeMismatch;
    QTest::newRow("null") << Value::null() << false << ErrorNo::InvalidUseOfNull;
    QTest::newRow("integer 0") << Value::integer(0) << false << int(NoError);
    QTest::newRow("integer 2") << Value::integer(2) << true << int(NoError);
    QTest::newRow("real fraction") << Value::real(0.25) << true << int(NoError);
    QTest::newRow("money zero") << Value::money(Currency()) << false << int(NoError);
    QTest::newRow("yes/no") << Value::boolean(true) << true << int(NoError);
}

void TestValues::toBool()
{
    QFETCH(Value, value);
    QFETCH(bool, expected);
    QFETCH(int, error);
    bool result = false;
    QCOMPARE(errorOf([&] { result = value.toBool(); }), error);
    if (error == NoError)
        QCOMPARE(result, expected);
}

void TestValues::toText_data()
{
    QTest::addColumn<Value>("value");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("error");
    QTest::newRow("null") << Value::null() << "." << QString() << ErrorNo::InvalidUseOfNull;
    QTest::newRow("text unchanged") << Value::text(" a,b ") << "." << " a,b " << int(NoError);
    QTest::newRow("integer") << Value::integer(-12) << "," << "-12" << int(NoError);
    QTest::newRow("check box value") << Value::integer(1) << "." << "1" << int(NoError);
    QTest::newRow("real in comma format") << Value::real(2.5) << "," << "2,5" << int(NoError);
    QTest::newRow("real fifteen digits") << Value::real(0.1 + 0.2) << "." << "0.3" << int(NoError);
    QTest::newRow("large real") << Value::real(1e20) << "." << "1E+20" << int(NoError);
    QTest::newRow("money") << Value::money(Currency::fromRaw(15000)) << "," << "1,5" << int(NoError);
    QTest::newRow("whole money") << Value::money(Currency::fromRaw(30000)) << "." << "3" << int(NoError);
    QTest::newRow("date") << Value::date(QDate(2024, 3, 5)) << "." << "05.03.2024" << int(NoError);
    QTest::newRow("time") << Value::time(QTime(9, 5, 7)) << "." << "09:05:07" << int(NoError);
    QTest::newRow("true") << Value::boolean(true) << "." << "True" << int(NoError);
    QTest::newRow("false") << Value::boolean(false) << "." << "False" << int(NoError);
}

void TestValues::toText()
{
    QFETCH(Value, value);
    QFETCH(QString, decimal);
    QFETCH(QString, expected);
    QFETCH(int, error);
    QString result;
    QCOMPARE(errorOf([&] { result = value.toText(fmt(decimal)); }), error);
    if (error == NoError)
        QCOMPARE(result, expected);
}

void TestValues::toCurrency_data()
{
    QTest::addColumn<Value>("value");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<int>("error");
    QTest::newRow("text in comma format") << Value::text("12,50") << qint64(125000) << int(NoError);
    QTest::newRow("stored real rounded to four decimals") << Value::real(4.4999999999999) << qint64(45000) << int(NoError);
    QTest::newRow("integer") << Value::integer(-3) << qint64(-30000) << int(NoError);
    QTest::newRow("letters") << Value::text("abc") << qint64(0) << ErrorNo::TypeMismatch;
    QTest::newRow("integer beyond range") << Value::integer(std::numeric_limits<int64_t>::max()) << qint64(0) << ErrorNo::Overflow;
    QTest::newRow("time") << Value::time(QTime(1, 0)) << qint64(0) << ErrorNo::TypeMismatch;
    QTest::newRow("null") << Value::null() << qint64(0) << ErrorNo::InvalidUseOfNull;
}

void TestValues::toCurrency()
{
    QFETCH(Value, value);
    QFETCH(qint64, raw);
    QFETCH(int, error);
    Currency result;
    QCOMPARE(errorOf([&] { result = value.toCurrency(NumberFormat::withDecimal(QLatin1Char(','))); }), error);
    if (error == NoError)
        QCOMPARE(result.raw(), raw);
}

void TestValues::toDateAndTime()
{
    QCOMPARE(Value::text("2024-03-05").toDate(), QDate(2024, 3, 5));
    QCOMPARE(Value::date(QDate(2024, 3, 5)).toDate(), QDate(2024, 3, 5));
    QCOMPARE(Value::text("23:59:01").toTime(), QTime(23, 59, 1));
    QCOMPARE(errorOf([] { Value::text("05.03.2024").toDate(); }), ErrorNo::TypeMismatch);
    QCOMPARE(errorOf([] { Value::text("2024-02-30").toDate(); }), ErrorNo::TypeMismatch);
    QCOMPARE(errorOf([] { Value::text("25:00:00").toTime(); }), ErrorNo::TypeMismatch);
    QCOMPARE(errorOf([] { Value::integer(1).toDate(); }), ErrorNo::TypeMismatch);
    QCOMPARE(errorOf([] { Value::null().toDate(); }), ErrorNo::InvalidUseOfNull);
    QCOMPARE(errorOf([] { Value::null().toTime(); }), ErrorNo::InvalidUseOfNull);
    // Each kind gives back what it was made of, the ends of its range and invalid ones included.
    QCOMPARE(Value::time(QTime(23, 59, 59, 999)).toTime(), QTime(23, 59, 59, 999));
    QCOMPARE(Value::time(QTime(0, 0)).toTime(), QTime(0, 0));
    QVERIFY(!Value::time(QTime()).toTime().isValid());
    QVERIFY(!Value::date(QDate()).toDate().isValid());
    QCOMPARE(Value::date(QDate(1, 1, 1)).toDate(), QDate(1, 1, 1));
    QVERIFY(Value::time(QTime()) != Value::time(QTime(0, 0)));
    QCOMPARE(Value::real(-0.1).toText(), QString("-0.1"));
    QCOMPARE(Value::money(Currency::fromRaw(std::numeric_limits<int64_t>::min())).toCurrency().raw(),
             std::numeric_limits<int64_t>::min());
}

void TestValues::storedDateAndTimeReadAsTheGeneralParserDoes_data()
{
    QTest::addColumn<QString>("text");
    for (const char *t : {"2024-03-05", "2024-02-29", "2023-02-29", "2024-13-01", "0000-01-01", "0001-01-01", "2024-3-05",
                          "2024-03-5", "2024-03-05 ", " 2024-03-05", "2024/03/05", "2024-0a-05", "+024-03-05", "",
                          "23:59:01", "00:00:00", "24:00:00", "23:60:00", "7:05:00", "07:05", "07:05:00.5", "0a:05:00"})
        QTest::newRow(t) << QString::fromLatin1(t);
}

void TestValues::storedDateAndTimeReadAsTheGeneralParserDoes()
{
    QFETCH(QString, text);
    QCOMPARE(DateFormat::parseStoredDate(text), QDate::fromString(text, QStringLiteral("yyyy-MM-dd")));
    QCOMPARE(DateFormat::parseStoredTime(text), QTime::fromString(text, QStringLiteral("HH:mm:ss")));
}

void TestValues::textOrToleratesNull()
{
    QCOMPARE(Value::null().textOr(), QString());
    QCOMPARE(Value::integer(7).textOr(QStringLiteral("x")), QStringLiteral("7"));
}

void TestValues::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("digits") << "9" << 9.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("leading blank negative") << " -3.5" << -3.5;
    QTest::newRow("blanks inside are ignored") << "1 000\t5" << 10005.0;
    QTest::newRow("point only decimal separator") << "2,5" << 2.0;
    QTest::newRow("second point stops") << "1.5.6" << 1.5;
    QTest::newRow("no whole digits") << ".5" << 0.5;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("D exponent") << "1D2" << 100.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("hex") << "&H10" << 16.0;
    QTest::newRow("hex 16-bit") << "&HFFFF" << -1.0;
    QTest::newRow("hex 32-bit") << "&H10000" << 65536.0;
    QTest::newRow("octal") << "&O17" << 15.0;
}

void TestValues::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestValues::valOrdersNumericKeys()
{
    QStringList keys{"10", "9", "100", "09", "2"};
    std::stable_sort(keys.begin(), keys.end(), [](const QString &a, const QString &b) { return Val(a) < Val(b); });
    QCOMPARE(keys, (QStringList{"2", "9", "09", "10", "100"}));
}

// Whatever a number field holds, its money cell and its as-stored cell show it by one rule.
void TestValues::storedNumberCells_data()
{
    QTest::addColumn<Value>("stored");
    QTest::addColumn<QString>("money");
    QTest::addColumn<QString>("plain");
    const QString mark = StoredNumber::OverflowMark;
    QTest::newRow("money") << Value::money(cur("2.5")) << "2,50" << "2,5";
    QTest::newRow("whole number") << Value::integer(3) << "3,00" << "3";
    QTest::newRow("real") << Value::real(0.1 + 0.2) << "0,30" << "0,3";
    QTest::newRow("text in the format") << Value::text("1,5") << "1,50" << "1,5";
    QTest::newRow("Null") << Value() << "" << "";
    QTest::newRow("text that is no number") << Value::text("abc") << "" << "abc";
    QTest::newRow("empty text") << Value::text("") << "" << "";
    QTest::newRow("real too large") << Value::real(1e20) << mark << mark;
    QTest::newRow("infinity") << Value::real(HUGE_VAL) << mark << mark;
    QTest::newRow("whole number too large") << Value::integer(MaxRaw) << mark << QString::number(MaxRaw);
    QTest::newRow("text too large") << Value::text("1000000000000000") << mark << "1000000000000000";
    QTest::newRow("date") << Value::date(QDate(2024, 3, 5)) << "" << "05.03.2024";
}

void TestValues::storedNumberCells()
{
    QFETCH(Value, stored);
    QFETCH(QString, money);
    QFETCH(QString, plain);
    QCOMPARE(StoredNumber::money(stored, fmt(",")), money);
    QCOMPARE(StoredNumber::plain(stored, fmt(",")), plain);
}

// A total adds the cells that hold numbers; a mark, a number too large or a sum beyond the money
// type shows the mark, never a figure that silently lost a value.
void TestValues::totalsOfShownCells_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("total");
    const QString mark = StoredNumber::OverflowMark;
    QTest::newRow("numbers") << QStringList{"1.50", "2", "-0.25"} << "3.25";
    QTest::newRow("empty and no number add nothing") << QStringList{"1.50", "", "abc"} << "1.50";
    QTest::newRow("a cell with the mark") << QStringList{"1.50", mark} << mark;
    QTest::newRow("a number too large") << QStringList{"1.50", "1000000000000000"} << mark;
    QTest::newRow("the largest sum") << QStringList{"922337203685477.50", "0.08"} << "922337203685477.58";
    QTest::newRow("a sum beyond") << QStringList{"922337203685477.50", "0.10"} << mark;
    QTest::newRow("beyond below") << QStringList{"-922337203685477.50", "-0.10"} << mark;
}

void TestValues::totalsOfShownCells()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, total);
    MoneyTotal sum;
    for (const QString &cell : cells)
        sum.addShown(cell, NumberFormat());
    QCOMPARE(sum.format2(NumberFormat()), total);
    QCOMPARE(sum.isHeld(), total != StoredNumber::OverflowMark);
}

void TestValues::valOverflow()
{
    QCOMPARE(errorOf([] { Val(QStringLiteral("1e400")); }), ErrorNo::Overflow);
}

void TestValues::dateFormats()
{
    const QDate d(2024, 3, 5);
    const QTime t(9, 5, 7);
    QCOMPARE(DateFormat::ddmmyyyy(d), QStringLiteral("05.03.2024"));
    QCOMPARE(DateFormat::ddmmyy(d), QStringLiteral("05.03.24"));
    QCOMPARE(DateFormat::hhmmss(t), QStringLiteral("09:05:07"));
    QCOMPARE(DateFormat::hhmmss(QTime(21, 0, 0)), QStringLiteral("21:00:00"));
    QCOMPARE(DateFormat::storedDate(d), QStringLiteral("2024-03-05"));
    QCOMPARE(DateFormat::storedTime(t), QStringLiteral("09:05:07"));
}

void TestValues::errorsCarryNumberAndDescription()
{
    try {
        Value::null().toInt16();
        QFAIL("no error raised");
    } catch (const AppError &e) {
        QCOMPARE(e.numberAndDescription(), QStringLiteral("94Invalid use of Null"));
    }
    QCOMPARE(errorDescription(ErrorNo::Overflow), QStringLiteral("Overflow"));
    QCOMPARE(errorDescription(ErrorNo::TypeMismatch), QStringLiteral("Type mismatch"));

    // Each number the program reacts to has a description of its own.
    const QList<int> numbers{ErrorNo::Overflow, ErrorNo::DivisionByZero, ErrorNo::TypeMismatch,
                             ErrorNo::InvalidUseOfNull, ErrorNo::NoCurrentRecord, ErrorNo::DuplicateKey,
                             ErrorNo::FileNotFound, ErrorNo::TooFewParameters, ErrorNo::SyntaxError,
                             ErrorNo::TableNotFound, ErrorNo::RelatedRecords, ErrorNo::RecordLocked,
                             ErrorNo::ItemNotFound, ErrorNo::FieldCannotBeNull,
                             ErrorNo::DatabaseLockedExclusively, ErrorNo::GeneralDatabaseError};
    QSet<QString> seen;
    for (int n : numbers) {
        const QString d = errorDescription(n);
        QVERIFY2(!d.isEmpty() && d != errorDescription(-1), qPrintable(QString::number(n)));
        seen.insert(d);
    }
    QCOMPARE(seen.size(), numbers.size());

    try {
        raiseError(ErrorNo::RelatedRecords);
    } catch (const AppError &e) {
        QCOMPARE(e.number(), 3200);
        QCOMPARE(e.description(), errorDescription(3200));
    }
}

QTEST_GUILESS_MAIN(TestValues)
#include "tst_values.moc"
