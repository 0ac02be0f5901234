*00000000cam a22000007a 4500
*001123456
*008040305s2004    sw            000 0 swe d
*020  $a91-7119-123-4 (inb.) :
$c150 kr
*020  $a978-91-7119-123-4
*041 0$aswefreeng
*1001 $aBerg, Anna,
$d1950-
*1304 $aThe sound.
*24510$aSmå visor.
$h[Ljudupptagning] / Anna Berg ;
$cmed förord av Per Ek.
*260  $aStockholm :
$bFörlaget,
$ccop. 1998
*300  $a1 CD (62 min) ;
$e+ 1 häfte
*650 2$aMusik (Sverige
*650 7$aVisor
$2sao
*7402 $aEn bok.
^
*00000000cas a22000007a 4500
*001P77
*022  $a1234-5678
*24500$aTidskrift för bibliotek.
*260  $aLund,
$c[199-?]
*852  $bHuvudbiblioteket
$cMag
$hTidskr
$iHylla
^
*00000000cam a22000007a 4500
*001W1
*035  $a(KVSTHLM)20040305123456
*24510$aGallrad bok /
$cOkand.
*852  $cMag
$hHc
$iUtgallr
*852  $hHc
$iu
^
*00000000nab a22000007a 4500
*001A5
*24510$aRecensionen.
*760  $w(SE-LIBR) 1234567
*773  $tTidningen
*787  $iRecension av
$zISBN 91-1-2
$xISSN  1234-5678
^
