#include "app/dialogs.h"

void create_dialogs()
{
}

void destroy_dialogs()
{
}
