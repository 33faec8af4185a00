// Dialog resources as data. Each library registers the layouts of its dialogs under its module
// name and a resource id, e.g. ("ORVLPRN.DLL", 20000); a dialog finds its layout through the
// TModule it is given. Positions and sizes are in dialog units: a horizontal unit is a quarter
// of the dialog font's average character width, a vertical unit an eighth of its height.
#pragma once

#include "wintypes.h"

#include <string>
#include <vector>

enum class TCtlKind {
    PushButton,  // BS_DEFPUSHBUTTON in the style makes it the default button
    CheckBox,    // an automatic check box
    RadioButton, // an automatic radio button; WS_GROUP starts a new group
    GroupBox,
    Edit, // ES_MULTILINE for several lines
    Static,
    ListBox,
    ComboBox, // CBS_DROPDOWNLIST or CBS_DROPDOWN (the default)
    Frame,    // a generic control: an empty area for pictures, previews and panels
};

struct TDlgItem {
    int id = 0;
    TCtlKind kind = TCtlKind::Static;
    std::string caption;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    uint32_t style = 0;
};

struct TDlgResource {
    std::string caption;
    int cx = 0, cy = 0; // client size in dialog units
    std::vector<TDlgItem> items;
    std::string fontName = "Sans Serif";
    int fontPoints = 8;
};

// Registers (or replaces) the layout of dialog `resId` of module `moduleName` (compared without
// regard to letter case). Libraries do this while they are loaded, through a static
// TDialogResourceRegistrar.
void RegisterDialogResource(const char* moduleName, TResId resId, TDlgResource resource);
// Null when that module has no such dialog.
const TDlgResource* FindDialogResource(const char* moduleName, TResId resId);

struct TDialogResourceRegistrar {
    TDialogResourceRegistrar(const char* moduleName, TResId resId, TDlgResource resource) {
        RegisterDialogResource(moduleName, resId, std::move(resource));
    }
};

// A library of the suite addressed by its Windows module name ("ORVLPRN.DLL"). When no
// dialog of that name is registered yet, the library lib<name>.so (lower case, next to the
// program's libraries) is loaded so that its resources register themselves; it stays loaded.
class TModule {
public:
    explicit TModule(const char* name, bool shouldLoad = true);
    ~TModule();
    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;

    const char* GetName() const { return name_.c_str(); }
    const TDlgResource* FindDialog(TResId id) const;
    // The program's own module, for dialogs that the program registers itself.
    static TModule& Program();

private:
    std::string name_;
    HINSTANCE library_ = nullptr; // never freed, see the destructor
};
