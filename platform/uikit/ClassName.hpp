#pragma once

#include <string>
#include <typeinfo>

// The readable name of a class ("RatingViewController", "Material::FlatButton").
std::string NSStringFromClass(const std::type_info& type);

template <class T>
std::string NSStringFromClass()
{
    return NSStringFromClass(typeid(T));
}

// The name of an object's dynamic class.
template <class T>
std::string classNameOf(const T& object)
{
    return NSStringFromClass(typeid(object));
}
