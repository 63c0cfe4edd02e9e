#include "voucher/EditorLoad.h"

#include "voucher/frmJournal.h"

namespace idj {

frmJournal& loadVoucherEditor(const ado::ConnectionPtr& connection) {
    frmJournal& editor = frmJournal::instance();
    // An editor left loaded but never shown would keep the state of another opening.
    if (editor.loaded() && !editor.visible()) editor.Unload();
    editor.adocon = connection;
    editor.Load();
    return editor;
}

} // namespace idj
