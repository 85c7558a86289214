#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>

#include "platform/forms.h"
#include "platform/qt_backend.h"
#include "support/captions.h"
#include "support/app_fixture.h"
#include "support/gui.h"

using platform::Form;
using platform::FormInstance;

namespace {
// A window that logs its lifecycle and may refuse to close.
class LOG_F : public Form {
public:
    LOG_F() : Form("LOG_F") {
        auto* b = new QPushButton("閉じる", this);
        b->setObjectName("B_CLOSE");
        connect(b, &QPushButton::clicked, this, [this] { Unload(); });
        resize(300, 200);
    }
    static inline QStringList log;
    static inline int refuse = 0;     // 1 QueryUnload cancels, 2 Unload cancels
    static inline bool unloadInLoad = false;
    void Form_Load() override {
        log << "Load";
        if (unloadInLoad) Unload();
    }
    void Form_Activate() override { log << "Activate"; }
    void Form_Resize() override { log << "Resize"; }
    void Form_QueryUnload(int& cancel, int mode) override {
        log << QString("QueryUnload%1").arg(mode);
        if (refuse == 1) cancel = 1;
    }
    void Form_Unload(int& cancel) override {
        log << "Unload";
        if (refuse == 2) cancel = 1;
    }
};

class FormsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        LOG_F::log.clear();
        LOG_F::refuse = 0;
        LOG_F::unloadInLoad = false;
    }
};
}  // namespace

TEST_F(FormsTest, CancelledUnloadKeepsTheWindowAndOneInstancePerType) {
    LOG_F* f = FormInstance<LOG_F>::get();
    EXPECT_EQ(FormInstance<LOG_F>::get(), f);  // one instance
    f->Show();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(LOG_F::log.mid(0, 3), QStringList({"Load", "Resize", "Activate"}));
    EXPECT_EQ(LOG_F::log.count("Load"), 1);

    LOG_F::refuse = 1;
    EXPECT_FALSE(f->Unload());
    EXPECT_FALSE(f->close());  // the close box asks too
    EXPECT_TRUE(FormInstance<LOG_F>::exists());
    EXPECT_TRUE(f->isVisible());
    LOG_F::refuse = 2;
    EXPECT_FALSE(FormInstance<LOG_F>::unload());
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(LOG_F::log.count("Unload"), 1);
    EXPECT_TRUE(LOG_F::log.contains("QueryUnload0"));

    LOG_F::refuse = 0;
    LOG_F::log.clear();
    gui::click(f, "B_CLOSE");
    EXPECT_EQ(LOG_F::log, QStringList({"QueryUnload1", "Unload"}));
    EXPECT_FALSE(FormInstance<LOG_F>::exists());
    EXPECT_EQ(FormInstance<LOG_F>::peek(), nullptr);
    // The next use makes a fresh window.
    LOG_F* g = FormInstance<LOG_F>::get();
    EXPECT_TRUE(g->isLoaded());
    EXPECT_EQ(LOG_F::log.count("Load"), 1);
}

TEST_F(FormsTest, ShowModalReturnsAfterUnload) {
    bool sawModal = false;
    gui::whenShown<LOG_F>([&](LOG_F* w) {
        sawModal = w->isModalShown() && w->windowModality() == Qt::ApplicationModal;
        LOG_F::refuse = 1;
        w->Unload();  // refused: stays in its loop
        LOG_F::refuse = 0;
        QTimer::singleShot(0, w, [w] { gui::click(w, "B_CLOSE"); });
    });
    FormInstance<LOG_F>::get()->ShowModal();
    EXPECT_TRUE(sawModal);
    EXPECT_FALSE(FormInstance<LOG_F>::exists());
    EXPECT_EQ(LOG_F::log.count("Unload"), 1);
    EXPECT_EQ(LOG_F::log.count("QueryUnload1"), 2);

    // A window that unloads itself in its load returns at once.
    LOG_F::unloadInLoad = true;
    LOG_F::log.clear();
    FormInstance<LOG_F>::get()->ShowModal();
    EXPECT_EQ(LOG_F::log, QStringList({"Load", "QueryUnload1", "Unload"}));
    EXPECT_FALSE(FormInstance<LOG_F>::exists());
}

TEST_F(FormsTest, TwipsGeometryAndFrameChildren) {
    QMainWindow frame;
    auto* mdi = new QMdiArea(&frame);
    frame.setCentralWidget(mdi);
    frame.resize(1000, 700);
    frame.show();
    Form::setMainFrame(&frame, mdi);

    auto* f = new LOG_F;
    f->setFrameChild(true);
    f->Load();
    f->setTwips(1500, 750, 6000, 4500);
    f->Show();
    ASSERT_NE(f->subWindow(), nullptr);
    EXPECT_EQ(f->subWindow()->mdiArea(), mdi);
    EXPECT_EQ(f->Left(), 1500);
    EXPECT_EQ(f->Top(), 750);
    EXPECT_EQ(f->Width(), 6000);
    EXPECT_EQ(f->Height(), 4500);
    EXPECT_EQ(f->subWindow()->geometry(), QRect(100, 50, 400, 300));
    EXPECT_LT(f->ScaleWidth(), f->Width());  // the sub-window's border is outside the drawing area
    EXPECT_TRUE(LOG_F::log.contains("Resize"));
    EXPECT_EQ(f->windowIcon().cacheKey(), platform::programIcon().cacheKey());
    EXPECT_TRUE(f->Unload());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(mdi->subWindowList().isEmpty());
}

TEST(FormsFonts, WindowFontNamesMapToInstalledFonts) {
    platform::setupFonts();
    for (auto [asked, real] : {std::pair{"ＭＳ 明朝", "IPAMincho"}, {"ＭＳ ゴシック", "IPAGothic"},
                               {"ＭＳ Ｐ明朝", "IPAPMincho"}, {"ＭＳ Ｐゴシック", "IPAPGothic"}}) {
        EXPECT_EQ(QFont::substitute(QString::fromUtf8(asked)).toLower(), QString::fromLatin1(real).toLower());
        const QFontInfo info(QFont(QString::fromUtf8(asked)));
        EXPECT_EQ(info.family(), QString::fromLatin1(real)) << asked;
    }
}

namespace {
// A dialog with a box, a default, another and a cancel button, counting clicks.
class KEY_F : public Form {
public:
    KEY_F() : Form("KEY_F") {
        BOX = new QLineEdit(this);
        BOX->setObjectName("BOX");
        BOX->setGeometry(10, 10, 120, 24);
        OK = button("OK", "OK", 10);
        OTHER = button("B_OTHER", "参照", 90);
        ESC = button("ESC", "キャンセル", 170);
        resize(300, 120);
    }
    QPushButton* button(const char* name, const char* text, int left) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setGeometry(left, 60, 75, 28);
        connect(b, &QPushButton::clicked, this, [this, name] { clicks << name; });
        return b;
    }
    QLineEdit* BOX;
    QPushButton *OK, *OTHER, *ESC;
    QStringList clicks;
};
}  // namespace

TEST_F(FormsTest, EscapeCancelsEnterPressesTheDefaultOrTheFocusedButton) {
    KEY_F* f = FormInstance<KEY_F>::get();
    f->Show();
    // Nothing marked: Escape finds the cancel button by its caption; Enter
    // in the box presses nothing.
    EXPECT_EQ(f->cancelButton(), f->ESC);
    gui::key(f->BOX, Qt::Key_Escape);
    gui::key(f->BOX, Qt::Key_Return);
    EXPECT_EQ(f->clicks, QStringList({"ESC"}));

    f->setDefaultButton(f->OK);
    EXPECT_TRUE(f->OK->isDefault());
    gui::key(f->BOX, Qt::Key_Return);
    gui::key(f->BOX, Qt::Key_Enter, Qt::KeypadModifier);
    // Enter on a button that has the focus presses that button.
    gui::key(f->OTHER, Qt::Key_Return);
    EXPECT_EQ(f->clicks, QStringList({"ESC", "OK", "OK", "B_OTHER"}));

    // A disabled button is not pressed; Ctrl+Enter and Shift+Escape are not the keys.
    f->clicks.clear();
    f->ESC->setEnabled(false);
    f->OK->setEnabled(false);
    gui::key(f->BOX, Qt::Key_Escape);
    gui::key(f->BOX, Qt::Key_Return);
    f->ESC->setEnabled(true);
    f->OK->setEnabled(true);
    gui::key(f->BOX, Qt::Key_Return, Qt::ControlModifier);
    gui::key(f->BOX, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(f->clicks.isEmpty());

    // A button marked as cancel wins over the caption.
    f->setCancelButton(f->OTHER);
    gui::key(f->BOX, Qt::Key_Escape);
    EXPECT_EQ(f->clicks, QStringList({"B_OTHER"}));
}

TEST_F(FormsTest, EveryWindowGetsPlainCombosAndWholeFigures) {
    // Controls made by hand in a window's load, without any helper.
    class RAW_F : public Form {
    public:
        RAW_F() : Form("RAW_F") { resize(300, 120); }
        void Form_Load() override {
            combo = new QComboBox(this);
            combo->setEditable(true);
            combo->addItem("試験管立て44");
            figure = new QLineEdit(this);
            figure->setAlignment(Qt::AlignRight);
            figure->setGeometry(0, 40, 64, 22);
        }
        QComboBox* combo = nullptr;
        QLineEdit* figure = nullptr;
    };
    RAW_F f;
    f.Load();
    EXPECT_EQ(f.combo->completer(), nullptr);
    EXPECT_EQ(f.combo->insertPolicy(), QComboBox::NoInsert);
    gui::type(f.figure, "1234567890");
    EXPECT_LE(f.figure->fontMetrics().horizontalAdvance(f.figure->text()), f.figure->width() - 4);
    f.Unload();
}

TEST_F(FormsTest, DialogsWithoutAStoredPlaceOpenCentredOverTheMainWindow) {
    QMainWindow frame;
    frame.setGeometry(40, 30, 700, 500);
    frame.show();
    Form::setMainFrame(&frame, nullptr);
    gui::settle();
    const QPoint centre = frame.frameGeometry().center();

    // Shown modally, no position set: centred.
    gui::whenShown<LOG_F>([&](LOG_F* f) {
        EXPECT_TRUE(f->isModalShown());
        EXPECT_NEAR(f->frameGeometry().center().x(), centre.x(), 2);
        EXPECT_NEAR(f->frameGeometry().center().y(), centre.y(), 2);
        f->Unload();
    });
    FormInstance<LOG_F>::get()->ShowModal();

    // A position set (a stored one) is kept; an axis left unset is centred.
    LOG_F* f = FormInstance<LOG_F>::get();
    f->setLeft(1500);
    f->Show();
    EXPECT_EQ(f->Left(), 1500);
    EXPECT_NEAR(f->frameGeometry().center().y(), centre.y(), 2);
    f->Unload();
    Form::setMainFrame(nullptr, nullptr);
}

TEST_F(FormsTest, AFrameSizedChildFollowsTheFrameWhenItIsResizedOrMaximised) {
    QMainWindow frame;
    auto* mdi = new QMdiArea(&frame);
    frame.setCentralWidget(mdi);
    frame.resize(500, 400);
    frame.show();
    Form::setMainFrame(&frame, mdi);
    gui::settle();

    auto* f = new LOG_F;
    f->setFrameChild(true);
    f->Load();
    f->fitToFrame(300, 1460);
    f->followFrame(300, 1460);
    f->Show();
    gui::settle();
    auto expected = [&] {
        return QSize(std::min(frame.frameGeometry().width() - 20, mdi->viewport()->width()),
                     std::min(frame.frameGeometry().height() - 97, mdi->viewport()->height()));
    };
    EXPECT_NEAR(f->subWindow()->width(), expected().width(), 1);
    EXPECT_NEAR(f->subWindow()->height(), expected().height(), 1);

    LOG_F::log.clear();
    frame.resize(640, 480);
    gui::settle();
    EXPECT_NEAR(f->subWindow()->width(), expected().width(), 1);
    EXPECT_NEAR(f->subWindow()->height(), expected().height(), 1);
    EXPECT_TRUE(LOG_F::log.contains("Resize"));

    frame.showMaximized();
    gui::settle();
    EXPECT_GT(frame.width(), 640);
    EXPECT_NEAR(f->subWindow()->width(), expected().width(), 1);
    EXPECT_NEAR(f->subWindow()->height(), expected().height(), 1);
    f->Unload();
    Form::setMainFrame(nullptr, nullptr);
}

TEST_F(FormsTest, AShortMessageBoxIsWideEnoughForItsTitle) {
    platform::QtBackend qt;
    const QString title = QStringLiteral("備品登録リスト　保管場所の変更");
    gui::whenShown<QMessageBox>([&](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), title);
        EXPECT_GE(box->width(), platform::titleWidthPx(title));
        EXPECT_TRUE(gui::cutCaptions(box).isEmpty()) << gui::cutCaptions(box).join(u'\n').toStdString();
        gui::shot(box, QStringLiteral("message_box_title"));
        box->buttons().first()->click();
    });
    EXPECT_EQ(qt.msgBox(QStringLiteral("OK"), ui::vbOKOnly, title), ui::vbOK);
}
