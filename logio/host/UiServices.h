// The host's interface utilities as logio uses them: the progress window, the
// resource guard and the tree and combo controls of the host's library. The
// platform provides them; this header names them in one place.
#pragma once

#include "platform/ui/ComboBox.h"
#include "platform/ui/ProgressWnd.h"
#include "platform/ui/Resource.h"
#include "platform/ui/TreeCtrl.h"

// A drop-down list that shows the whole text of an item too long for it.
// Headless there is nothing to show, so it is the plain combo box.
class CXTipComboBox : public CComboBox {};
