// The part of the editing component's published interface the editor uses:
// message and option numbers, and the loader interface through which a file
// is streamed into a fresh document. The component is loaded at run time, so
// these are written out here rather than taken from its headers; the numbers
// are part of its stable binary interface.
#pragma once
#include <cstddef>

namespace tavrel {

// Text and document state.
constexpr unsigned SCI_CLEARALL = 2004;
constexpr unsigned SCI_GETLENGTH = 2006;
constexpr unsigned SCI_GETCURRENTPOS = 2008;
constexpr unsigned SCI_GETANCHOR = 2009;
constexpr unsigned SCI_SETUNDOCOLLECTION = 2012;
constexpr unsigned SCI_SETSAVEPOINT = 2014;
constexpr unsigned SCI_GETUNDOCOLLECTION = 2019;
constexpr unsigned SCI_GOTOPOS = 2025;
constexpr unsigned SCI_GETEOLMODE = 2030;
constexpr unsigned SCI_SETEOLMODE = 2031;
constexpr unsigned SCI_GETCHARAT = 2007;
constexpr unsigned SCI_GETLINEENDPOSITION = 2136;
constexpr unsigned SCI_SCROLLCARET = 2169;
constexpr unsigned SCI_LINEFROMPOSITION = 2166;
constexpr unsigned SCI_VISIBLEFROMDOCLINE = 2220;
constexpr int SC_EOL_CRLF = 0;
constexpr int SC_EOL_CR = 1;
constexpr int SC_EOL_LF = 2;
constexpr unsigned SCI_SETTABWIDTH = 2036;
constexpr unsigned SCI_SETCODEPAGE = 2037;
constexpr unsigned SCI_GETTABWIDTH = 2121;
constexpr unsigned SCI_SETINDENT = 2122;
constexpr unsigned SCI_GETINDENT = 2123;
constexpr unsigned SCI_SETUSETABS = 2124;
constexpr unsigned SCI_GETUSETABS = 2125;
constexpr unsigned SCI_GETCODEPAGE = 2137;
constexpr unsigned SCI_GETREADONLY = 2140;
constexpr unsigned SCI_GETFIRSTVISIBLELINE = 2152;
constexpr unsigned SCI_GETMODIFY = 2159;
constexpr unsigned SCI_SETSEL = 2160;
constexpr unsigned SCI_SETREADONLY = 2171;
constexpr unsigned SCI_CANUNDO = 2174;
constexpr unsigned SCI_EMPTYUNDOBUFFER = 2175;
constexpr unsigned SCI_SETTABINDENTS = 2260;
constexpr unsigned SCI_GETTABINDENTS = 2261;
constexpr unsigned SCI_SETBACKSPACEUNINDENTS = 2262;
constexpr unsigned SCI_GETBACKSPACEUNINDENTS = 2263;
constexpr unsigned SCI_SETSCROLLWIDTH = 2274;
constexpr unsigned SCI_GETDOCPOINTER = 2357;
constexpr unsigned SCI_SETDOCPOINTER = 2358;
constexpr unsigned SCI_ADDREFDOCUMENT = 2376;
constexpr unsigned SCI_RELEASEDOCUMENT = 2377;
constexpr unsigned SCI_SETSTATUS = 2382;
constexpr unsigned SCI_SETXOFFSET = 2397;
constexpr unsigned SCI_GETXOFFSET = 2398;
constexpr unsigned SCI_GETCHARACTERPOINTER = 2520;
constexpr unsigned SCI_SETFIRSTVISIBLELINE = 2613;
constexpr unsigned SCI_CREATELOADER = 2632;
constexpr unsigned SCI_SETLINEENDTYPESALLOWED = 2656;
constexpr unsigned SCI_GETLINEENDTYPESALLOWED = 2657;

// Configuration of the view, kept by the component across documents.
constexpr unsigned SCI_STYLESETSIZE = 2055;
constexpr unsigned SCI_STYLESETFONT = 2056;
constexpr unsigned SCI_INDICSETSTYLE = 2080;
constexpr unsigned SCI_INDICGETSTYLE = 2081;
constexpr unsigned SCI_INDICSETFORE = 2082;
constexpr unsigned SCI_INDICGETFORE = 2083;
constexpr unsigned SCI_SETMARGINWIDTHN = 2242;
constexpr unsigned SCI_GETMARGINWIDTHN = 2243;
constexpr unsigned SCI_USEPOPUP = 2371;
constexpr unsigned SCI_STYLEGETSIZE = 2485;
constexpr unsigned SCI_INDICSETUNDER = 2510;
constexpr unsigned SCI_INDICGETUNDER = 2511;
constexpr unsigned SCI_SETSCROLLWIDTHTRACKING = 2516;
constexpr unsigned SCI_GETSCROLLWIDTHTRACKING = 2517;
constexpr unsigned SCI_SETKEYSUNICODE = 2521;
constexpr unsigned SCI_INDICSETALPHA = 2523;
constexpr unsigned SCI_INDICGETALPHA = 2524;
constexpr unsigned SCI_INDICSETOUTLINEALPHA = 2558;
constexpr unsigned SCI_INDICGETOUTLINEALPHA = 2559;

// Editing commands and the view options of the menus.
constexpr unsigned SCI_REDO = 2011;
constexpr unsigned SCI_SELECTALL = 2013;
constexpr unsigned SCI_CANREDO = 2016;
constexpr unsigned SCI_GETSELECTIONSTART = 2143;
constexpr unsigned SCI_GETSELECTIONEND = 2145;
constexpr unsigned SCI_GETLINECOUNT = 2154;
constexpr unsigned SCI_UNDO = 2176;
constexpr unsigned SCI_CUT = 2177;
constexpr unsigned SCI_COPY = 2178;
constexpr unsigned SCI_PASTE = 2179;
constexpr unsigned SCI_CLEAR = 2180;
constexpr unsigned SCI_SETTEXT = 2181;
constexpr unsigned SCI_GETTEXT = 2182;
constexpr unsigned SCI_SETWRAPMODE = 2268;
constexpr unsigned SCI_GETWRAPMODE = 2269;
constexpr unsigned SCI_TEXTWIDTH = 2276;
constexpr unsigned SCN_UPDATEUI = 2007;
constexpr unsigned SCN_MODIFIED = 2008;
constexpr int STYLE_LINENUMBER = 33;
constexpr int STYLE_DEFAULT = 32;
constexpr int INDIC_SQUIGGLE = 1;
constexpr int INDIC_ROUNDBOX = 7;

// Options of a new document.
constexpr int SC_DOCUMENTOPTION_STYLES_NONE = 0x1;
constexpr int SC_DOCUMENTOPTION_TEXT_LARGE = 0x100;

// Results of the loader.
constexpr int SC_STATUS_OK = 0;

constexpr int SC_CP_UTF8 = 65001;

// The loader a document is streamed into; it becomes the document itself.
// Its three functions use the platform's one x86-64 calling convention, so
// no calling-convention keyword is needed for the layout to match.
class ILoader {
 public:
  virtual int Release() = 0;
  // Returns one of the SC_STATUS_ codes.
  virtual int AddData(const char* data, std::ptrdiff_t length) = 0;
  virtual void* ConvertToDocument() = 0;

 protected:
  ~ILoader() = default;
};

}  // namespace tavrel
