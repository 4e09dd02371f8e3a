#include "Typing.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

namespace kestrune::testing {

void typeInto(QWidget* box, const QString& text) {
    bool latin = true;
    for (QChar c : text)
        latin = latin && c.unicode() < 0x80;
    if (latin) {
        QTest::keyClicks(box, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

} // namespace kestrune::testing
