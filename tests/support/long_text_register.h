#pragma once
// A register with the texts a real school's register holds, each as long as
// the entry windows accept: long suppliers, maker and model, item names of
// 20 full-width characters, long storage places, remarks of 40, 60, 80 and
// 100 characters, expense types of four full-width characters (and, where
// asked for, a longer one), a long function-class text, unit prices of nine
// digits (amounts and totals of ten digits and more) and of seven (a price
// that fills its column's field). The prints and the drawn lists of the
// program are tried on it: no text may run over another or off the page, no
// figure may be cut.
#include <QString>
#include <QStringList>

namespace long_text {

inline const QString SHOP = QStringLiteral("株式会社ミレナ教育産業北日本支店");
inline const QString SHOP2 = QStringLiteral("株式会社　北日本理化学機器販売センター");
inline const QString MAKER = QStringLiteral("ミレナ理化学機器製作所");
inline const QString MODEL = QStringLiteral("MX-2000-SUPER-LONG-MODEL");
inline const QString KEEP = QStringLiteral("第二理科準備室（北校舎三階）");
inline const QString KEEP2 = QStringLiteral("体育館倉庫（南棟一階奥）");
inline const QString KEEP3 = QStringLiteral("音楽室");
inline const QString KEEP4 = QStringLiteral("コンピュータ室（東棟２階）準備室");
inline const QString KEIHI = QStringLiteral("理科振興");
inline const QString KEIHI_LONG = QStringLiteral("市教育委員会配当備品費");
// A function-class text longer than the lists' column for it.
inline const QString FUNC_LONG = QStringLiteral("実験観察・体験");
// 40, 60, 80 and 100 characters.
inline const QString MSG40 = QStringLiteral("平成三十年度に北日本教育振興会より寄贈を受けた備品で、附属品一式と予備部品含む。");
inline const QString MSG60 = QStringLiteral(
    "コンピュータ室（東棟２階）準備室の授業用に購入。付属品：ＵＳＢケーブル二本、電源アダプタ、保護ケース、取扱説明書一式付。");
inline const QString MSG80 = QStringLiteral(
    "株式会社　北日本理化学機器販売センターより購入。付属品：ＵＳＢ接続ケーブル一式、予備電池、専用収納箱。"
    "毎年四月と十月に動作点検を行い、点検記録を必ず保存する事。");
inline const QString MSG100 = QStringLiteral(
    "令和五年度理科教育設備整備費補助金により購入。附属品（電源装置、接続コード一式、専用収納ケース、取扱説明書）は"
    "第二理科準備室の北側戸棚に保管。年一回の定期点検を要し、その点検記録は理科主任が管理する。");
// A disposal's or relocation's place of 20 characters.
inline const QString REASON = QStringLiteral("北日本市立第三中学校へ移設（令和六年度）");
// Unit prices of nine digits and of seven.
inline constexpr qint32 PRICE9 = 987654321;
inline constexpr qint32 PRICE9B = 123456789;
inline constexpr qint32 PRICE7 = 1980000;

// The item names of the register's category master, 20 full-width characters each.
const QStringList& itemNames();
// The expense types of the register, four full-width characters each
// (KEIHI_LONG is not among them).
const QStringList& expenseTypes();
// A total of ten digits and more as a list window shows it.
inline const QString TOTAL = QStringLiteral("12,345,678,901");

}  // namespace long_text

// Fills the program's tables with the long-text register (on top of a reset
// state): the school name, the level captions, the function classes, the
// categories 管理 and 教材, the expense types, the name lists of suppliers,
// makers and storage places, a category master of five entries (one per item
// name) with its subject index, `items` item records (held, disposed and
// relocated ones, every tax mode, with and without function class) linked to
// the master, and `plans` purchase plans. No view of any list is built.
void buildLongTextRegister(int items = 30, int plans = 12);

// Adds KEIHI_LONG to the register built above as its fifth expense type,
// taken by every fifth item and plan.
void addLongExpenseType();
