// Where each picture lies in the editor's image table (EditorState::images),
// which LoadImages fills from the icon folder.
#pragma once

namespace tavrel {

enum ImageIndex : int {
  kImageFind = 20,
  kImageNew = 24,
  kImageOpen = 25,
  kImageSave = 26,
  kImagePrint = 27,
  kImageSpellCheck = 29,
  kImageCut = 31,
  kImageCopy = 32,
  kImagePaste = 33,
  kImageUndo = 35,
  kImageRedo = 36,
  // The search strip's buttons, with hot and pressed images; the clear
  // button also has a derived disabled one.
  kImageMagnifier = 39,
  kImageClear = 41,
  kImageFont = 50,
  kImageHelp = 91,
};

inline constexpr int kNoImage = -1;

}  // namespace tavrel
