#include "ConsoleInteraction.h"

#include <QProcess>
#include <QTextStream>

namespace kestrune::shell {

namespace {

void writeLine(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    fputc('\n', stream);
    fflush(stream);
}

} // namespace

ConsoleInteraction::ConsoleInteraction(FILE* out, FILE* err) : out_(out), err_(err) {}

void ConsoleInteraction::showMessage(const QString& text, MessageKind kind) {
    writeLine(kind == MessageKind::Information ? out_ : err_, text);
}

QString ConsoleInteraction::readLine(const QString& prompt) {
    const QByteArray bytes = prompt.toUtf8();
    fwrite(bytes.constData(), 1, size_t(bytes.size()), err_);
    fflush(err_);
    QTextStream in(stdin);
    return in.readLine().trimmed();
}

bool ConsoleInteraction::confirm(const QString& text, const QString&) {
    if (!interactive_) {
        writeLine(err_, text + (assumeYes_ ? QStringLiteral(" [是]") : QStringLiteral(" [否]")));
        return assumeYes_;
    }
    const QString answer = readLine(text + QStringLiteral(" (是/否, y/n) "));
    return answer == QLatin1String("y") || answer == QLatin1String("Y") ||
           answer == QStringLiteral("是");
}

int ConsoleInteraction::askQuestion(const QString& text, int buttons) {
    struct Choice {
        int bit;
        QString word;
        QString key;
        int result;
    };
    const Choice choices[] = {
        {Question::Yes, QStringLiteral("是"), QStringLiteral("y"), Question::ResultYes},
        {Question::YesToAll, QStringLiteral("全都是"), QStringLiteral("a"),
         Question::ResultYesToAll},
        {Question::No, QStringLiteral("否"), QStringLiteral("n"), Question::ResultNo},
        {Question::NoToAll, QStringLiteral("全都否"), QStringLiteral("o"), Question::ResultNoToAll},
    };
    if (!interactive_) {
        const int wanted = assumeYes_ ? Question::Yes : Question::No;
        const int wantedAll = assumeYes_ ? Question::YesToAll : Question::NoToAll;
        for (int bit : {wantedAll, wanted}) {
            for (const Choice& c : choices) {
                if (c.bit == bit && (buttons & bit)) {
                    writeLine(err_, text + QStringLiteral(" [") + c.word + QLatin1Char(']'));
                    return c.result;
                }
            }
        }
        writeLine(err_, text + QStringLiteral(" [取消]"));
        return Question::ResultCancel;
    }
    QStringList offered;
    for (const Choice& c : choices) {
        if (buttons & c.bit)
            offered << c.word + QLatin1Char('=') + c.key;
    }
    const QString answer = readLine(text + QStringLiteral(" (") +
                                    offered.join(QStringLiteral(", ")) + QStringLiteral(") "));
    for (const Choice& c : choices) {
        if ((buttons & c.bit) && (answer == c.key || answer == c.word))
            return c.result;
    }
    return Question::ResultCancel;
}

QString ConsoleInteraction::nextFileName(const FileDialogRequest& request) {
    if (!fileNames_.isEmpty())
        return fileNames_.takeFirst();
    if (!interactive_)
        return QString();
    return readLine(request.title + QStringLiteral(": "));
}

QString ConsoleInteraction::chooseSaveFile(const FileDialogRequest& request) {
    return nextFileName(request);
}

QString ConsoleInteraction::chooseOpenFile(const FileDialogRequest& request) {
    return nextFileName(request);
}

std::optional<QString> ConsoleInteraction::inputText(const QString& title, const QString& prompt,
                                                     const QString& initial) {
    if (!interactive_)
        return initial;
    const QString answer = readLine(title + QStringLiteral(" - ") + prompt + QStringLiteral(" [") +
                                    initial + QStringLiteral("] "));
    return answer.isEmpty() ? initial : answer;
}

bool ConsoleInteraction::openWithDefaultProgram(const QString& path) {
    writeLine(out_, path);
    if (!interactive_)
        return true;
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
}

void ConsoleInteraction::progressStart(int total, int done) {
    total_ = total;
    done_ = done;
    lastPercent_ = -1;
    showProgress();
}

void ConsoleInteraction::progressStep() {
    ++done_;
    showProgress();
}

void ConsoleInteraction::progressCaption(const QString& caption) {
    if (!quiet_)
        writeLine(err_, caption);
}

void ConsoleInteraction::progressFinish() {
    lastPercent_ = -1;
}

void ConsoleInteraction::showProgress() {
    if (quiet_ || total_ <= 0)
        return;
    const int percent = int(qint64(done_) * 100 / total_);
    // Every tenth percent is enough on a console.
    if (percent / 10 != lastPercent_ / 10 || lastPercent_ < 0) {
        lastPercent_ = percent;
        writeLine(err_, QStringLiteral("已完成 %1/%2 (%3%)").arg(done_).arg(total_).arg(percent));
    }
}

} // namespace kestrune::shell
