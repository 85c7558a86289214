#include <QAbstractItemView>
#include <QComboBox>
#include <QVBoxLayout>

#include "platform/controls.h"
#include "support/app_fixture.h"
#include "support/gui.h"

using ControlsTest = AppFixture;

TEST_F(ControlsTest, TextBoxRefusesCharactersShiftJisCannotHold) {
    QWidget w;
    auto* box = new ctl::TextBox(&w, "SHOP");
    QStringList changes;
    box->Change = [&] { changes << box->Text(); };
    msg.expect("使用できない文字が含まれています😀", ui::vbOK);
    gui::type(box, "備品😀Ａ");
    EXPECT_EQ(box->Text(), "備品Ａ");
    ASSERT_EQ(msg.boxCount(), 1);
    EXPECT_EQ(msg.lastBox().text, "使用できない文字が含まれています😀");
    EXPECT_EQ(changes.last(), "備品Ａ");
    EXPECT_FALSE(changes.join("").contains("😀"));
    // Characters of the Windows code page stay (～ is 0x8160, ① an NEC extension).
    gui::type(box, "～①髙");
    EXPECT_EQ(box->Text(), "～①髙");
    // So do the JIS forms that input methods outside Windows type for them.
    gui::type(box, QString::fromUtf16(u"〜−‖—¢£¬"));
    EXPECT_EQ(box->Text(), QString::fromUtf16(u"〜−‖—¢£¬"));
    // Text set by code raises Change as typing does.
    changes.clear();
    box->SetText("理科室");
    EXPECT_EQ(changes, QStringList({"理科室"}));
    // A plain line edit with the guard refuses a pasted rare character too.
    auto* plain = new QLineEdit(&w);
    ctl::guardSjis(plain);
    msg.expect("使用できない文字が含まれています", ui::vbOK);
    plain->setText("AB");
    plain->insert(QString::fromUcs4(U"𠮷"));  // outside the code page
    EXPECT_EQ(plain->text(), "AB");
    EXPECT_TRUE(msg.done());
}

TEST_F(ControlsTest, SelectionByCodeRaisesClickDropDownListRaisesNoChange) {
    QWidget w;
    auto* list = new ctl::ComboBox(&w, "KUBUN", ctl::ComboBox::DropDownList);
    auto* typed = new ctl::ComboBox(&w, "SHOP", ctl::ComboBox::DropDownCombo);
    int clicks = 0, changes = 0, typedClicks = 0, typedChanges = 0;
    list->Click = [&] { ++clicks; };
    list->Change = [&] { ++changes; };
    typed->Click = [&] { ++typedClicks; };
    typed->Change = [&] { ++typedChanges; };
    for (auto* c : {list, typed})
        for (const char* t : {"管理", "教材", "理科"}) c->AddItem(t);

    list->setListIndex(1);
    EXPECT_EQ(clicks, 1);
    list->setListIndex(1);  // the same entry again: no click
    EXPECT_EQ(clicks, 1);
    list->SetText("理科");
    EXPECT_EQ(list->ListIndex(), 2);
    EXPECT_EQ(clicks, 2);
    gui::choose(list, "管理");  // the user's choice
    EXPECT_EQ(clicks, 3);
    list->setListIndex(-1);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(changes, 0);

    gui::type(typed, "ミレナ商店");
    EXPECT_EQ(typed->Text(), "ミレナ商店");
    EXPECT_GT(typedChanges, 0);
    EXPECT_EQ(typedClicks, 0);
    const int before = typedChanges;
    gui::choose(typed, "教材");
    EXPECT_EQ(typedClicks, 1);
    EXPECT_EQ(typedChanges, before);  // choosing an entry is a click, not a change
}

TEST_F(ControlsTest, OptionsGroupByFrameAndRaiseClickWhenSetByCode) {
    QWidget w;
    auto* lay = new QVBoxLayout(&w);
    auto* f1 = new ctl::Frame("税", &w, "Frame1");
    auto* f2 = new ctl::Frame("並び", &w, "Frame2");
    lay->addWidget(f1);
    lay->addWidget(f2);
    auto* a = new ctl::OptionButton("外税", f1, "TAX_0");
    auto* b = new ctl::OptionButton("内税", f1, "TAX_1");
    auto* c = new ctl::OptionButton("番号", f2, "OP_1");
    int clicksB = 0;
    b->Click = [&] { ++clicksB; };
    a->setValue(true);
    c->setValue(true);
    b->setValue(true);
    EXPECT_EQ(clicksB, 1);
    EXPECT_FALSE(a->Value());  // same frame: exclusive
    EXPECT_TRUE(c->Value());   // other frame: untouched
    b->setValue(true);
    EXPECT_EQ(clicksB, 1);

    auto* chk = new ctl::CheckBox("確認しない", &w, "CHK1");
    int chkClicks = 0;
    chk->Click = [&] { ++chkClicks; };
    chk->setValue(1);
    chk->setValue(1);
    EXPECT_EQ(chk->Value(), 1);
    EXPECT_EQ(chkClicks, 1);

    auto* sb = new ctl::ScrollBar(Qt::Vertical, &w, "SCB_V");
    QList<int> values;
    sb->Change = [&] { values << sb->Value(); };
    sb->setMax(10);
    sb->setValue_(8);
    sb->setMax(5);  // a smaller maximum pulls the value down and raises Change
    EXPECT_EQ(values, QList<int>({8, 5}));
    EXPECT_EQ(sb->Max(), 5);
}

TEST_F(ControlsTest, EditableCombosKeepWhatIsTypedAndListInTheirOwnFont) {
    QWidget w;
    auto* typed = new ctl::ComboBox(&w, "NAME_D", ctl::ComboBox::DropDownCombo);
    // A combo made by hand becomes plain through the helper, also when it is
    // made editable only afterwards.
    auto* raw = new QComboBox(&w);
    ctl::plainCombo(raw);
    raw->setEditable(true);
    raw->move(0, 40);
    w.show();
    w.activateWindow();
    gui::settle();
    for (QComboBox* c : {static_cast<QComboBox*>(typed), raw}) {
        c->addItems({"試験管立て44", "試験管ばさみ", "ABC"});
        c->setCurrentIndex(-1);
        gui::type(c, "試験管");
        EXPECT_EQ(c->currentText(), "試験管") << "no inline completion";
        gui::key(c, Qt::Key_Return);
        EXPECT_EQ(c->currentText(), "試験管") << "Enter takes the typed text";
        EXPECT_EQ(c->currentIndex(), -1);
        // A text that differs only in case is not taken for an entry.
        gui::type(c, "abc");
        gui::key(c, Qt::Key_Return);
        EXPECT_EQ(c->currentText(), "abc");

        QFont big(QStringLiteral("ＭＳ ゴシック"));
        big.setPointSizeF(12);
        c->setFont(big);
        gui::settle();
        EXPECT_EQ(c->view()->font(), c->font()) << "the list shows the box's font";
    }
}

TEST_F(ControlsTest, FigureBoxesShowTheWholeFigure) {
    QWidget w;
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPointSizeF(9);
    w.setFont(f);
    auto* total = new ctl::FigureLabel(&w, "TOTAL");
    total->setGeometry(0, 0, 81, 17);
    total->setFrameShape(QFrame::Box);
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total->setText("757,019");
    EXPECT_DOUBLE_EQ(total->shownPointSize(), 9.0);  // fits: the label's own size
    total->setText("6,757,019,233");
    const double size = total->shownPointSize();
    EXPECT_LT(size, 9.0);
    QFont shown = f;
    shown.setPointSizeF(size);
    EXPECT_LE(QFontMetrics(shown).horizontalAdvance(total->text()), total->contentsRect().width());
    EXPECT_EQ(total->text(), "6,757,019,233");
    gui::shot(total, "figure_label_fitted");

    // A number box lowers its font while the figure would not fit, and
    // takes the window's font again once it fits.
    auto* box = new QLineEdit(&w);
    box->setGeometry(0, 20, 60, 20);
    ctl::fitFigures(box);
    gui::type(box, "123456789012");
    EXPECT_LT(box->font().pointSizeF(), 9.0);
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), box->width() - 4);
    gui::type(box, "12");
    EXPECT_EQ(box->font(), w.font());
    EXPECT_FALSE(box->testAttribute(Qt::WA_SetFont));
}
