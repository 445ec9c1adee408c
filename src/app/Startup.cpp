#include "app/Startup.h"

#include "app/Callbacks.h"
#include "gfx/Camera.h"
#include "app/Choices.h"
#include "app/GlSwitches.h"
#include "app/GraphicsCheck.h"
#include "app/Options.h"
#include "app/Pacing.h"
#include "app/Records.h"
#include "app/ReplayStore.h"
#include "app/Replays.h"
#include "audio/SoundDevice.h"
#include "platform/Platform.h"
#include "play/LiveMode.h"
#include "states/StartState.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

#ifndef __EMSCRIPTEN__
// freeglut's fatal errors (no display, no window) end the game; a Windows player started it from
// its icon and would see nothing else.
void onGlutError(const char* format, va_list arguments) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    platform::tellPlayer(platform::Notice::error, std::string("gridlume: ") + text + "\n");
    // freeglut ends the process itself when this returns: it cannot go on.
}
#endif

// A window without OpenGL shows nothing but white: say so, and false. One whose OpenGL is too
// old for the pictures is still playable with plain quads: say so and go on.
bool checkGraphics() {
#ifndef __EMSCRIPTEN__ // the page itself tells a browser without WebGL
    const auto text = [](GLenum name) { return reinterpret_cast<const char*>(glGetString(name)); };
    const GraphicsShortfall shortfall =
        platform::hasCurrentGlContext() ? graphicsShortfall(text(GL_VERSION), text(GL_EXTENSIONS))
                                        : GraphicsShortfall::noOpenGL;
    if (shortfall != GraphicsShortfall::none) {
        platform::tellPlayer(platform::Notice::error, graphicsAdvice(shortfall));
    }
    if (shortfall == GraphicsShortfall::noOpenGL) {
        return false;
    }
#endif
    return true;
}

} // namespace

bool startGame(const Options& options) {
    std::vector<char*> glutArgs = options.glutArgs;
    int glutArgc = static_cast<int>(glutArgs.size()) - 1;
#ifndef __EMSCRIPTEN__
    glutInitErrorFunc(onGlutError);
#endif
    glutInit(&glutArgc, glutArgs.data());
    // Closing the window ends the game the way the quit keys do: the main loop returns to main.
#ifndef __EMSCRIPTEN__
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
#endif
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    // The size -geometry asked for, if any; the camera then makes it 4:3 and fits it on the
    // screen.
    if (options.width > 0 && options.height > 0) {
        glutInitWindowSize(options.width, options.height);
    } else {
        // 800 by 600 of the system's ordinary pixels: on a Windows screen scaled to 150 % that is
        // 1200 by 900, the size Windows stretched the window to before the game was DPI-aware.
        const double scale = platform::displayScale();
        glutInitWindowSize(static_cast<int>(800 * scale), static_cast<int>(600 * scale));
    }
    glutCreateWindow("Gridlume");
    if (!checkGraphics()) {
        glutDestroyWindow(glutGetWindow());
        return false;
    }

    camera.position.z = -50.0f;
    camera.perspective = false;
    activeCamera = &camera;

    glutReshapeFunc(onReshape);
    glutDisplayFunc(onDisplay);
#ifndef __EMSCRIPTEN__
    glutIdleFunc(onIdle); // in a browser its frames drive the game instead (app/WebLoop.cpp)
#endif
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecial);
    glutSpecialUpFunc(onSpecialUp);
#ifndef __EMSCRIPTEN__
    glutWindowStatusFunc(onWindowStatus); // the page's visibility stands in for it in a browser
    glutCloseFunc(onClose);
#endif

    switchState(&startState);

    setFixedGlState();
    if (!options.uncapped) {
        setSwapInterval(true);
        pacingEnabled = true;
    }
    records = RecordsFile(defaultRecordsPath());
    records.load();
    recorder.folder = defaultReplayFolder();
    settingsFile = SettingsFile(defaultSettingsPath());
    applySettings(withOptions(settingsFile.load(), options));
    settingsFile.keep(currentSettings()); // what the run starts with is not the player's change
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

void setFixedGlState() {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
#ifndef __EMSCRIPTEN__
    // The browser's GL has these fixed already, and warns of the calls.
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
#endif
    initSwapControl();
    setCulling(false);
    setDepthTest(false, false);
    setSwapInterval(false);
    glEnable(GL_NORMALIZE);
}
