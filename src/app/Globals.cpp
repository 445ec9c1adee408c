// The process-wide objects, defined together because their order matters: C++ constructs
// globals of one file top to bottom and destroys them in reverse at exit. The records come first
// so the screens can be handed them; the texture cache goes last so it is destroyed first,
// before the sprites of the screens hand entries back.
#include "app/FrameClock.h"
#include "app/Records.h"
#include "gfx/Camera.h"
#include "gfx/TextureCache.h"
#include "play/LiveMode.h"
#include "states/EndState.h"
#include "states/StartState.h"

RecordsFile records;
Camera camera;
LiveMode liveMode{frameClock, &endState, &records.current()};
StartState startState{&records.current()};
EndState endState{frameClock, countGame};
TextureCache textureCache;
