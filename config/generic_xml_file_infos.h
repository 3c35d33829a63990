#pragma once

#include <boost/property_tree/ptree.hpp>

// An XML document exchanged with the detector's file extension, held as a tree.
class GenericXmlFileInfos {
public:
    virtual ~GenericXmlFileInfos() = default;
    virtual void Hook() = 0;

    boost::property_tree::ptree& tree() { return tree_; }
    const boost::property_tree::ptree& tree() const { return tree_; }

protected:
    boost::property_tree::ptree tree_;
};
