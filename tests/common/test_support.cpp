#include "test_support.h"

#include "message_box.h"
#include "program_values.h"

namespace testing_support {

namespace {
struct Recorded {
    QStringList texts;
    QStringList captions;
};
Recorded& recorded()
{
    static Recorded r;
    return r;
}
}  // namespace

MessageRecorder::MessageRecorder()
{
    recorded() = {};
    SetMessageObserver([](const QString& caption, const QString& text, MessageIcon) {
        recorded().captions << caption;
        recorded().texts << text;
    });
}
MessageRecorder::~MessageRecorder() { SetMessageObserver(nullptr); }
QStringList MessageRecorder::texts() const { return recorded().texts; }
QStringList MessageRecorder::captions() const { return recorded().captions; }
int MessageRecorder::count() const { return recorded().texts.size(); }
QString MessageRecorder::last() const { return recorded().texts.isEmpty() ? QString() : recorded().texts.last(); }
void MessageRecorder::clear() { recorded() = {}; }

void resetProgramValues() { ResetProgramValues(); }

}  // namespace testing_support
