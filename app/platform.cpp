#include "platform.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>

#if defined(_WIN32)
#include <float.h>
#include <ole2.h>
#elif defined(__x86_64__) || defined(__i386__)
#include <fpu_control.h>
#include <xmmintrin.h>
#endif

void OleInitialize()
{
#if defined(_WIN32)
    ::OleInitialize(nullptr);  // the result is ignored
#endif
}

void OleUninitialize()
{
#if defined(_WIN32)
    ::OleUninitialize();
#endif
}

void SetFloatingPointControl()
{
#if defined(_WIN32)
    _controlfp(_MCW_EM, _MCW_EM);
    _controlfp(_RC_NEAR, _MCW_RC);
#elif defined(__x86_64__) || defined(__i386__)
    fpu_control_t word = 0x133F;
    _FPU_SETCW(word);
    _MM_SET_EXCEPTION_MASK(_MM_MASK_MASK);
    _MM_SET_ROUNDING_MODE(_MM_ROUND_NEAREST);
#endif
}

// The HTML engine's own switches that hold its memory down, added to any the user set. Of those
// measured (PSS after the first page, and growth over a long session): the GPU service in the
// program's process saves a process with its own mapped libraries at no cost in allocated memory.
// One process for everything (--single-process) saved most but kept growing over a long session;
// low-end device mode, one renderer and no spare renderer measured no better than the defaults.
void SetHtmlEngineMemorySwitches()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const char* flag : {"--in-process-gpu"}) {
        if (!flags.contains(flag))
            flags += (flags.isEmpty() ? "" : " ") + QByteArray(flag);
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

// The view's pages are documents, not animations: drawn in software they appear sooner and take
// less memory than through OpenGL, above all where OpenGL itself runs in software (no GPU, remote
// displays). The OpenGL way made the main window's first showing block for over 100 ms while the
// page loaded, and every repaint of the window cost 10 to 50 ms.
void UseSoftwareHtmlView()
{
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void EnableHtmlEngineAccessibility()
{
    static const char* const name = "QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY";
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, "1");
    else if (const QByteArray value = qgetenv(name).trimmed(); value.isEmpty() || value == "0")
        qunsetenv(name);  // the engine reads only whether the variable is there
}

void PrepareProcess()
{
    OleInitialize();
    SetFloatingPointControl();
    // The program writes no file: keep the OpenGL driver's shader cache out of the home folder.
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    qputenv("MESA_GLSL_CACHE_DISABLE", "true");
    // A normal run prints nothing: no engine start-up report or other informational output, and
    // of the engine's own log only what ends it. Its error lines are retries it recovers from (a
    // GPU channel not ready yet, say), which a reader takes for faults. Qt's warnings and faults
    // still reach standard error, and QT_LOGGING_RULES still overrides these rules.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    QByteArray engineFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!engineFlags.contains("--log-level"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", engineFlags + (engineFlags.isEmpty() ? "" : " ") + "--log-level=3");
    // The HTML view shares OpenGL contexts with the widgets; this must precede the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    SetHtmlEngineMemorySwitches();
    UseSoftwareHtmlView();
    EnableHtmlEngineAccessibility();
}
