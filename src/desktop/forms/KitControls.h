#pragma once
// The controls every data form is made of: the base form, the data grid,
// the bound controls with their caption expansion and refusal hint, tab and
// page controls, and the accelerators they share.

#include "desktop/forms/Accelerators.h"
#include "desktop/forms/BoundControls.h"
#include "formdata/Captions.h"
#include "desktop/forms/KitForm.h"
#include "desktop/forms/KitGrid.h"
#include "desktop/forms/KitHint.h"
#include "desktop/forms/PageControls.h"
#include "framework/grid/DataTextPort.h"
