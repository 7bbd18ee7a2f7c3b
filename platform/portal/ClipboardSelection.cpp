#include "platform/portal/ClipboardSelection.h"
