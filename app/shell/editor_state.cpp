#include "app/shell/editor_state.h"

namespace tavrel {

EditorState g_editor;

void ResetEditorState() { g_editor = EditorState{}; }

}  // namespace tavrel
