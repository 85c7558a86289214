#include "platform/qt_backend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QSpacerItem>
#include <QMessageBox>
#include <QPushButton>

#include "platform/forms.h"

namespace platform {
namespace {
ProgressView* g_progress = nullptr;
QtBackend g_qt;
}  // namespace

void setProgressView(ProgressView* view) { g_progress = view; }
ProgressView* progressView() { return g_progress; }

void installQtBackend() { ui::setBackend(&g_qt); }

namespace {
QTranslator* g_qtTexts = nullptr;

// The texts of the file dialogs that Qt's Japanese catalogue lacks: the
// words of the type column for a folder, a drive and a plain file. Installed
// after Qt's catalogue, it is asked first and gives nothing for any other
// text.
class FileDialogTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        struct Text {
            const char* context;
            const char* source;
            const char16_t* japanese;
        };
        static constexpr Text kTexts[] = {
            {"QAbstractFileIconProvider", "Folder", u"フォルダー"},
            {"QAbstractFileIconProvider", "File Folder", u"ファイル フォルダー"},
            {"QAbstractFileIconProvider", "Drive", u"ドライブ"},
            {"QAbstractFileIconProvider", "File", u"ファイル"},
        };
        if (!context || !source) return QString();
        for (const Text& t : kTexts)
            if (qstrcmp(context, t.context) == 0 && qstrcmp(source, t.source) == 0)
                return QString::fromUtf16(t.japanese);
        return QString();
    }
};
FileDialogTexts* g_fileDialogTexts = nullptr;
}  // namespace

bool installQtTranslations() {
    if (!g_fileDialogTexts) {
        g_fileDialogTexts = new FileDialogTexts(QCoreApplication::instance());
        QCoreApplication::installTranslator(g_fileDialogTexts);
    }
    if (g_qtTexts) return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    // Qt's catalogue goes in before the file dialogs' own texts, which are
    // then asked first.
    QCoreApplication::removeTranslator(g_fileDialogTexts);
    QCoreApplication::installTranslator(t);
    QCoreApplication::installTranslator(g_fileDialogTexts);
    g_qtTexts = t;
    return true;
}

void removeQtTranslationsForTests() {
    if (g_fileDialogTexts) {
        QCoreApplication::removeTranslator(g_fileDialogTexts);
        delete g_fileDialogTexts;
        g_fileDialogTexts = nullptr;
    }
    if (!g_qtTexts) return;
    QCoreApplication::removeTranslator(g_qtTexts);
    delete g_qtTexts;
    g_qtTexts = nullptr;
}

QuestionScope::QuestionScope() : hadKeyboard_(QApplication::activeWindow()) {
    while (const QCursor* c = QApplication::overrideCursor()) {
        taken_.push_back(*c);
        QApplication::restoreOverrideCursor();
    }
}

QuestionScope::~QuestionScope() {
    for (auto c = taken_.rbegin(); c != taken_.rend(); ++c) QApplication::setOverrideCursor(*c);
    QWidget* now = QApplication::activeWindow();
    if (hadKeyboard_ && hadKeyboard_->isVisible() && (!now || !now->isVisible())) toFront(hadKeyboard_);
}

std::vector<BoxButton> boxButtons(int style) {
    const QString ok = QStringLiteral("OK"), cancel = QStringLiteral("キャンセル");
    const QString yes = QStringLiteral("はい(&Y)"), no = QStringLiteral("いいえ(&N)");
    const QString abort = QStringLiteral("中止(&A)"), retry = QStringLiteral("再試行(&R)"),
                  ignore = QStringLiteral("無視(&I)");
    switch (style & 7) {
        case ui::vbOKCancel: return {{ok, ui::vbOK}, {cancel, ui::vbCancel}};
        case ui::vbAbortRetryIgnore: return {{abort, ui::vbAbort}, {retry, ui::vbRetry}, {ignore, ui::vbIgnore}};
        case ui::vbYesNoCancel: return {{yes, ui::vbYes}, {no, ui::vbNo}, {cancel, ui::vbCancel}};
        case ui::vbYesNo: return {{yes, ui::vbYes}, {no, ui::vbNo}};
        case ui::vbRetryCancel: return {{retry, ui::vbRetry}, {cancel, ui::vbCancel}};
        default: return {{ok, ui::vbOK}};
    }
}

int defaultAnswer(int style) {
    const auto buttons = boxButtons(style);
    size_t i = 0;
    if (style & ui::vbDefaultButton3) i = 2;
    else if (style & ui::vbDefaultButton2) i = 1;
    if (i >= buttons.size()) i = 0;
    return buttons[i].answer;
}

QString boxText(const QString& prompt) {
    QString t = prompt;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QWidget* dialogParent() {
    if (QWidget* m = QApplication::activeModalWidget()) return m;
    if (QWidget* f = Form::mainFrame()) return f;
    return QApplication::activeWindow();
}

int QtBackend::msgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(boxText(prompt));
    switch (style & 0x70) {
        case ui::vbCritical: box.setIcon(QMessageBox::Critical); break;
        case ui::vbQuestion: box.setIcon(QMessageBox::Question); break;
        case ui::vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case ui::vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (!programIcon().isNull()) box.setWindowIcon(programIcon());
    // A short message must not cut the title: the box is at least as wide
    // as its title bar needs.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidthPx(title), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    const auto buttons = boxButtons(style);
    std::vector<QPushButton*> made;
    for (const BoxButton& b : buttons) {
        QMessageBox::ButtonRole role = QMessageBox::AcceptRole;
        if (b.answer == ui::vbCancel) role = QMessageBox::RejectRole;
        else if (b.answer == ui::vbNo) role = QMessageBox::NoRole;
        else if (b.answer == ui::vbYes) role = QMessageBox::YesRole;
        QPushButton* p = box.addButton(b.text, role);
        made.push_back(p);
    }
    const int def = defaultAnswer(style);
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].answer == def) box.setDefaultButton(made[i]);
    // Escape answers Cancel where the box has one, OK on a lone OK button.
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].answer == ui::vbCancel || buttons.size() == 1) box.setEscapeButton(made[i]);
    {
        QuestionScope question;
        box.exec();
    }
    QAbstractButton* clicked = box.clickedButton();
    for (size_t i = 0; i < made.size(); ++i)
        if (made[i] == clicked) return buttons[i].answer;
    // Closed without a button: Cancel where there is one, else the last button.
    for (const BoxButton& b : buttons)
        if (b.answer == ui::vbCancel) return b.answer;
    return buttons.back().answer;
}

void QtBackend::setBusy(bool busy) {
    if (busy) {
        ++busy_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_ > 0) {
        --busy_;
        QApplication::restoreOverrideCursor();
    }
}

void QtBackend::doEvents() { QCoreApplication::processEvents(); }

void QtBackend::progressShow(const QString& title) {
    if (g_progress) g_progress->show(title);
}
void QtBackend::progressSet(int percent) {
    if (g_progress) g_progress->set(percent);
}
void QtBackend::progressClose() {
    if (g_progress) g_progress->close();
}

}  // namespace platform
