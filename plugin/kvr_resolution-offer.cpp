#include "kvr_resolution-offer.h"

#include "dzfigure.h"
#include "tv_daz-helpers-morphloader.h"
#include "tv_daz-helpers-scene.h"

KvrResolutionOffer OfferedResolution(DzFigure* pfigSource)
{
    KvrResolutionOffer offer;
    offer.bOffered = tav::daz::IsMorphLoaderProSubdivisionAvailable()
                     && tav::daz::GetSubdivisionLevel(pfigSource, &offer.iSubdLevel);
    if (!offer.bOffered) {
        offer.iSubdLevel = 0;
        return offer;
    }
    if (tav::daz::GetNodeResolution(pfigSource) == tav::daz::NodeResolution::HighResolution)
        offer.eInitial = KvrResolution::Subd;
    return offer;
}
