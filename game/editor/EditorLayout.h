// Where the editor's screen puts its parts, in the 800 x 600 view (centre 0, y up).
#pragma once

#include "EditorPictures.h"
#include "KEMath.h"

struct EditorSession;

// The bar along the top, the tools down the left, four lines of words along the foot; the
// map has the rest.
constexpr float kBarY = 300 - kEditorBarHeight / 2.0f;
constexpr float kToolX = -400 + kToolButtonWidth / 2.0f, kToolTop = 246, kToolStep = 32;
constexpr float kMapLeft = -288, kMapRight = 396, kMapTop = 262, kMapBottom = -222;

// The centre of a cell in the view, where the session's camera and zoom show it.
KEVec2 CellOnView(const EditorSession& session, int column, int row);
