// The process-wide objects, defined together because their order matters: C++ constructs
// globals of one file top to bottom and destroys them in reverse at exit. The texture cache
// goes last so it is destroyed first, before the sprites of the screens hand entries back.
#include "app/Camera.h"
#include "gfx/TextureCache.h"
#include "play/LiveMode.h"
#include "states/EndState.h"
#include "states/StartState.h"

Camera camera;
LiveMode liveMode;
StartState startState;
EndState endState;
TextureCache textureCache;
