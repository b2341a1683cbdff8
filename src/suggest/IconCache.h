// The lines' icons by file and size, a bounded number: after a change of dots per inch, an icon of the old
// size is not stretched, but asked for again.
#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

template <typename Icon>
class IconCache {
public:
    explicit IconCache(std::size_t most) : most_(most) {}

    // Asked for already: a file with no icon is remembered too, so that it is not asked for again.
    bool Has(const std::string& path, int size) const { return icons_.count({path, size}) != 0; }
    const Icon* Find(const std::string& path, int size) const
    {
        const auto found = icons_.find({path, size});
        return found != icons_.end() ? &found->second : nullptr;
    }

    // The oldest go first once there are too many, but never one that lines show: the paths `shown` lists at
    // the size they are shown at.
    void Add(const std::string& path, int size, Icon icon, const std::vector<std::string>& shown, int shownSize)
    {
        if (!icons_.emplace(Key{path, size}, std::move(icon)).second)
            return;
        order_.push_back({path, size});
        for (std::size_t looked = 0; icons_.size() > most_ && looked < order_.size(); ++looked) {
            const Key oldest = order_.front();
            order_.pop_front();
            if (oldest.second == shownSize && std::find(shown.begin(), shown.end(), oldest.first) != shown.end())
                order_.push_back(oldest);
            else
                icons_.erase(oldest);
        }
    }

private:
    using Key = std::pair<std::string, int>;
    std::size_t most_;
    std::map<Key, Icon> icons_;
    std::deque<Key> order_;
};
