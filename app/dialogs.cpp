#include "app/dialogs.h"
#include "dialogs/object_properties.h"
#include "dialogs/set_edges.h"

void create_dialogs()
{
    Form3 = new TForm3;
    Form7 = new TForm7;
}

void destroy_dialogs()
{
    delete Form7;
    Form7 = nullptr;
    delete Form3;
    Form3 = nullptr;
}
