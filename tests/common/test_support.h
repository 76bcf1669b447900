#pragma once
// Support for tests of windows: a recorder for the message boxes the program shows.
#include "test_paths.h"

#include <QObject>
#include <QStringList>

namespace testing_support {

// While alive, records every message box the program shows (those with the application title)
// and closes it with OK at once, as a person would, so the handler that showed it goes on.
class MessageRecorder : public QObject {
public:
    MessageRecorder();
    ~MessageRecorder() override;
    QStringList texts() const { return texts_; }
    QStringList captions() const { return captions_; }
    int count() const { return texts_.size(); }
    QString last() const { return texts_.isEmpty() ? QString() : texts_.last(); }
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList texts_;
    QStringList captions_;
};

}  // namespace testing_support
