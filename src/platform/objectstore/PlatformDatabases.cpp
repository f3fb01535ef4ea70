#include "platform/objectstore/PlatformDatabases.h"

namespace plat::objstore {

std::vector<DatabaseDescription> PlatformDatabases() {
    DatabaseDescription contacts;
    contacts.name = u"Contacts Database";
    contacts.sortOrders = {SortOrderDescription{0, {SortProp{MakePropId(0x8A, CEVT_LPWSTR), 0}}}};
    contacts.autoIncrement = {MakePropId(0x1000, CEVT_AUTO_I4)};

    DatabaseDescription named;
    named.name = u"PIMNamedPropValsIndexed";
    named.sortOrders = {SortOrderDescription{0, {SortProp{MakePropId(1, CEVT_UI4), 0}, SortProp{MakePropId(2, CEVT_UI4), 0}}}};
    return {contacts, named};
}

}  // namespace plat::objstore
