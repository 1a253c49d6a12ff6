#include "app/dialogs.h"
#include "app/aboutform.h"
#include "app/importobjects.h"
#include "app/morefiles.h"
#include "app/parentform.h"
#include "dialogs/cropshape.h"
#include "dialogs/moveshape.h"
#include "dialogs/newpanel.h"
#include "dialogs/object_properties.h"
#include "dialogs/resizeshape.h"
#include "dialogs/rotateshape.h"
#include "dialogs/set_edges.h"
#include "dialogs/settings.h"
#include "document/design.h"
#include "render/render_request.h"

void create_dialogs(TMainForm& main)
{
    Form3 = new TForm3;
    Form3->drawing_folder = [&main] {
        const TForm2* drawing = main.active_drawing;
        return drawing && drawing->panel ? drawing->panel->property(drawing_folder_property).toString() : QString();
    };
    Form4 = new TForm4;
    QObject::connect(Form4, &TForm4::colors_changed, &main, &TMainForm::recolor_active_drawing);
    Form1 = new TForm1;
    Form5 = new TForm5;
    Form6 = new TForm6;
    Form7 = new TForm7;
    Form8 = new TForm8;
    Form9 = new TForm9;
    Form10 = new TForm10;
    Form11 = new TForm11;
    Form12 = new TForm12;
}

void destroy_dialogs()
{
    delete Form12;
    Form12 = nullptr;
    delete Form11;
    Form11 = nullptr;
    delete Form10;
    Form10 = nullptr;
    delete Form9;
    Form9 = nullptr;
    delete Form8;
    Form8 = nullptr;
    delete Form7;
    Form7 = nullptr;
    delete Form6;
    Form6 = nullptr;
    delete Form5;
    Form5 = nullptr;
    delete Form1;
    Form1 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
}
