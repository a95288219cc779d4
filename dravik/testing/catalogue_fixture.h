#pragma once

#include "dravik/catalogue/browser_controller.h"
#include "dravik/catalogue/browser_panel.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/catalogue_controller.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/catalogue/disc_open_controller.h"
#include "dravik/catalogue/disc_panel.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/testing/fake_window_services.h"
#include "dravik/testing/main_window_fixture.h"
#include "dravik/workspace/workspace.h"

#include <QWidget>

#include <memory>

namespace dravik::testing {

// The catalogue's controllers with their own panels and a fake window: the disc panel, the list
// view panel and the main browser in a plain widget, nothing else of the main window.
class CatalogueFixture : public MainWindowFixture {
protected:
    std::unique_ptr<QWidget> host;
    std::unique_ptr<controls::CommandArray> gCom, ssPanel1;
    std::unique_ptr<FakeWindowServices> services;
    std::unique_ptr<workspace::Workspace> ws;
    std::unique_ptr<catalogue::DiscIndex> index;
    std::unique_ptr<controls::ListViewPanel> list;
    std::unique_ptr<catalogue::DiscPanel> discs;
    std::unique_ptr<catalogue::BrowserPanel> browser;
    std::unique_ptr<catalogue::CatalogueController> cataloguing;
    std::unique_ptr<catalogue::DiscOpenController> opener;
    std::unique_ptr<catalogue::BrowserController> browsing;

    void TearDown() override {
        browsing.reset();
        opener.reset();
        cataloguing.reset();
        browser.reset();
        discs.reset();
        list.reset();
        host.reset();
        index.reset();
        MainWindowFixture::TearDown();
    }

    // With `defaultDrive` the program folder names drive E.
    void startPanels(bool defaultDrive = true) {
        if (defaultDrive)
            root.write("program/SSc.ini", "E\r\n");
        host = std::make_unique<QWidget>();
        host->resize(900, 600);
        using Look = controls::CommandArray::Look;
        gCom = std::make_unique<controls::CommandArray>(controls::arrayName<controls::GCom>(),
                                                        Look::Panel);
        ssPanel1 = std::make_unique<controls::CommandArray>(
            controls::arrayName<controls::SSPanel1>(), Look::Panel);
        services = std::make_unique<FakeWindowServices>(dialogs);
        ws = std::make_unique<workspace::Workspace>(drives());
        ws->locateFolders(data);
        ws->loadDefaultDrive();
        list = std::make_unique<controls::ListViewPanel>(host.get());
        list->rememberStatusColour();
        discs = std::make_unique<catalogue::DiscPanel>(host.get(), *gCom, *ssPanel1);
        index = std::make_unique<catalogue::DiscIndex>(
            catalogue::Catalogue(ws->dataFolder(), ws->programFolder()));
        index->load();
        discs->follow(*index);
        browser = std::make_unique<catalogue::BrowserPanel>(host.get(), ws->drives());
        const services::FeatureContext context{*ws, *services, *list};
        cataloguing =
            std::make_unique<catalogue::CatalogueController>(*index, *discs, *browser, context);
        opener = std::make_unique<catalogue::DiscOpenController>(*discs, *browser, context);
        browsing = std::make_unique<catalogue::BrowserController>(*browser, context);
        cataloguing->setOpener([this] { opener->open(); });
        QObject::connect(discs.get(), &catalogue::DiscPanel::discChosen, opener.get(),
                         [this] { opener->open(); });
        host->show();
    }

    QWidget* top() const override { return host.get(); }
};

} // namespace dravik::testing
