#include "support/msg_script.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include "platform/printer.h"

MsgScript::MsgScript() {
    previous_ = ui::setBackend(this);
    dlg::Hooks h;
    h.input = [this](const QString& prompt, const QString& title, const QString& def) -> std::optional<QString> {
        inputPrompts << prompt;
        if (inputs_.empty() || !prompt.contains(inputs_.front().text)) {
            ADD_FAILURE() << "unexpected input box: " << prompt.toStdString() << " / " << title.toStdString();
            return std::nullopt;
        }
        auto a = inputs_.front().answer;
        inputs_.pop_front();
        return a;
    };
    h.file = [this](const QString& kind, const QString& title, const QString& start, const QString&) -> QString {
        fileDialogs << kind + QStringLiteral(": ") + title;
        fileStarts << start;
        if (files_.empty()) {
            ADD_FAILURE() << "unexpected " << kind.toStdString() << " dialog: " << title.toStdString();
            return QString();
        }
        QString p = files_.front();
        files_.pop_front();
        return p;
    };
    h.printer = [this](const QString& title) -> bool {
        ++printerSetups;
        if (printers_.empty()) {
            ADD_FAILURE() << "unexpected printer set-up dialog: " << title.toStdString();
            return false;
        }
        ExpectPrinter e = printers_.front();
        printers_.pop_front();
        if (e.accept && (e.chosen.isPdf() || !e.chosen.printerName.isEmpty())) prn::setTarget(e.chosen);
        return e.accept;
    };
    previousHooks_ = dlg::setHooks(h);
}

MsgScript::~MsgScript() {
    for (const Expect& e : boxes_) ADD_FAILURE() << "expected box did not come: " << e.text.toStdString();
    for (const ExpectInput& e : inputs_) ADD_FAILURE() << "expected input box did not come: " << e.text.toStdString();
    for (const QString& f : files_) ADD_FAILURE() << "expected file dialog did not come: " << f.toStdString();
    if (!printers_.empty()) ADD_FAILURE() << "expected printer set-up dialog did not come";
    if (ui::backend() == this) ui::setBackend(previous_);
    dlg::setHooks(previousHooks_);
}

MsgScript& MsgScript::expect(const QString& text, int answer, std::function<void()> whileShown) {
    boxes_.push_back({text, answer, std::move(whileShown)});
    return *this;
}
MsgScript& MsgScript::expectInput(const QString& text, std::optional<QString> answer) {
    inputs_.push_back({text, std::move(answer)});
    return *this;
}
MsgScript& MsgScript::expectFile(const QString& path) {
    files_.push_back(path);
    return *this;
}
MsgScript& MsgScript::expectPrinterSetup(bool accept, const prn::Target& chosen) {
    printers_.push_back({accept, chosen});
    return *this;
}

void MsgScript::clear() {
    boxes_.clear();
    inputs_.clear();
    files_.clear();
    printers_.clear();
    shown_.clear();
    progress_.clear();
    inputPrompts.clear();
    fileDialogs.clear();
    fileStarts.clear();
    printerSetups = 0;
    busyOn_ = doEvents_ = 0;
}

bool MsgScript::saw(const QString& text) const {
    for (const Box& b : shown_)
        if (b.text.contains(text)) return true;
    return false;
}

std::vector<int> MsgScript::percents() const {
    std::vector<int> out;
    for (const ProgressEvent& e : progress_)
        if (e.kind == ProgressEvent::Set) out.push_back(e.percent);
    return out;
}

QStringList MsgScript::progressTitles() const {
    QStringList out;
    for (const ProgressEvent& e : progress_)
        if (e.kind == ProgressEvent::Show) out << e.title;
    return out;
}

int MsgScript::msgBox(const QString& prompt, int style, const QString& title) {
    Box b{prompt, title, style, 0, false};
    if (!boxes_.empty() && prompt.contains(boxes_.front().text)) {
        b.answer = boxes_.front().answer;
        b.expected = true;
        const std::function<void()> whileShown = boxes_.front().whileShown;
        boxes_.pop_front();
        if (whileShown) whileShown();
    } else {
        if (!lenient_) {
            ADD_FAILURE() << "unexpected message box: \"" << prompt.toStdString() << "\" title \""
                          << title.toStdString() << "\" style " << style
                          << (boxes_.empty() ? std::string()
                                             : " (expected one containing \"" + boxes_.front().text.toStdString() + "\")");
        }
        b.answer = lenient_ ? platform::defaultAnswer(style) : platform::boxButtons(style).front().answer;
    }
    shown_.push_back(b);
    return b.answer;
}

void MsgScript::setBusy(bool busy) {
    if (busy) {
        ++busy_;
        ++busyOn_;
    } else if (busy_ > 0) {
        --busy_;
    }
}

void MsgScript::doEvents() {
    ++doEvents_;
    QCoreApplication::processEvents();
}

void MsgScript::progressShow(const QString& title) {
    progress_.push_back({ProgressEvent::Show, title, 0});
    if (forward_ && platform::progressView()) platform::progressView()->show(title);
}
void MsgScript::progressSet(int percent) {
    progress_.push_back({ProgressEvent::Set, QString(), percent});
    if (forward_ && platform::progressView()) platform::progressView()->set(percent);
}
void MsgScript::progressClose() {
    progress_.push_back({ProgressEvent::Close, QString(), 0});
    if (forward_ && platform::progressView()) platform::progressView()->close();
}
